#pragma once
#include <filesystem>
#include <string>

#include "base/GameFolders.h"

// What decides where the game's folders are: read from the process by ReadFolderClues, or
// written out by a test.
struct FolderClues {
    std::filesystem::path dataFlag;          // --data DIR made absolute; empty when not given
    std::filesystem::path executableFolder;  // absolute
    std::string xdgDataHome;                 // $XDG_DATA_HOME as set; empty when unset
    std::string home;                        // $HOME, else the home of the user's account
    // Where the system keeps the game's files for the user (Windows: %APPDATA%\Velmoria); empty
    // where the XDG rules hold. Read only when no --data is given.
    std::filesystem::path preferenceFolder;
    bool portableMark = false;  // a "portable.txt" beside the executable
};

FolderClues ReadFolderClues(const std::string& dataFlag, const char* argv0);

// The file whose presence beside the executable keeps the player's files in the game's folder.
inline constexpr char kPortableMark[] = "portable.txt";

// Where an installed game's packs are, seen from the folder of its executable.
std::filesystem::path InstalledPacksFolder(const std::filesystem::path& executableFolder);

// The packs come from --data DIR; else from beside the executable when the graphics pack is
// there (a build folder or a portable copy); else from the installed packs folder when it exists;
// else from beside the executable again, so that the start-up scene names the missing pack.
//
// The player's files go to --data DIR; else beside the packs when those are the executable's
// folder; else, for an installed game, to $XDG_DATA_HOME/velmoria (~/.local/share/velmoria by
// default) whoever runs it, root included, so the install folder is never written.
//
// Where the system names a preference folder (Windows), the packs are beside the executable (or
// in --data DIR) and the player's files in that folder, unless "portable.txt" beside the
// executable makes the game's folder a portable one that keeps them beside the packs.
//
// False with a reason when the player's folder cannot be named (no usable home at all).
bool FindGameFolders(const FolderClues& clues, GameFolders& folders, std::string& error);

// Makes the folder and any missing parents, new ones private to the player (0700 on Linux, as the
// XDG base directory rules ask); folders that exist are left as they are. False with a reason when
// the folder does not exist afterwards.
bool MakePlayerFolder(const std::filesystem::path& folder, std::string& error);
