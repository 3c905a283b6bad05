#pragma once
#include <filesystem>
#include <string_view>

// The two folders the game works with: the one it reads its packs from, and the one that keeps
// the player's own files ("save.dat", "log.txt", and whatever else the player makes). They are
// one folder when the game runs from its build folder or a portable copy, and two in an
// installed game, whose packs sit in a folder the player cannot (and the game must not) write.
//
// The game runs with the packs folder as its working directory, so the pack readers open packs
// by their bare names; everything the game writes goes through PlayerFile. An empty path stands
// for the working directory, which is what tests that never set the folders get.
struct GameFolders {
    std::filesystem::path packs;
    std::filesystem::path playerFiles;

    std::filesystem::path Pack(std::string_view name) const { return packs / name; }
    std::filesystem::path PlayerFile(std::string_view name) const { return playerFiles / name; }
};

// The folders of this run. Set once at start-up, before any other thread starts.
const GameFolders& Folders();
void SetFolders(GameFolders folders);
