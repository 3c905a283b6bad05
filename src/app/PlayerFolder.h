#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Files the game keeps for the player beside "save.dat": its screenshots, its replays and its
// window settings.
namespace player_files {

inline constexpr std::string_view kScreenshots = "screenshots";
inline constexpr std::string_view kReplays = "replays";
inline constexpr std::string_view kSettings = "settings.txt";

// A name no file in the folder has yet, led by the local date and time to the millisecond so
// that names sort by age: "20261206-213012-123" + tail + extension, with "-2", "-3", ... before
// the tail when the moment is taken.
std::filesystem::path FreshName(const std::filesystem::path& folder, std::string_view tail,
                                std::string_view extension);

// The folder inside the player's folder, made when missing; false with the reason.
bool MakeSubfolder(std::string_view name, std::filesystem::path& folder, std::string& error);

// Through a temporary file renamed into place; false when it cannot be written.
bool WriteText(const std::filesystem::path& path, std::string_view text);

}  // namespace player_files
