#pragma once
#include <filesystem>
#include <string_view>

// Puts the built game's file (a pack, a catalogue) into a test's folder: a symbolic link where
// the system makes one cheaply, else a hard link, else a copy (Wine has no symbolic links).
inline void ShareGameFile(std::string_view name, const std::filesystem::path& folder) {
    const std::filesystem::path from = std::filesystem::path(VELMORIA_GAME_DIR) / name;
    const std::filesystem::path to = folder / name;
    std::error_code failed;
    std::filesystem::create_symlink(from, to, failed);
    if (failed) {
        failed.clear();
        std::filesystem::create_hard_link(from, to, failed);
    }
    if (failed) {
        std::filesystem::copy_file(from, to);
    }
}
