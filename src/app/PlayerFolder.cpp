#include "app/PlayerFolder.h"

#include <chrono>
#include <ctime>
#include <vector>

#include "base/FilePath.h"
#include "base/GameFolders.h"
#include "platform/Clock.h"
#include "resource/FileWriter.h"

namespace player_files {

std::filesystem::path FreshName(const std::filesystem::path& folder, std::string_view tail,
                                std::string_view extension) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    const std::tm local = platform::LocalTime(seconds);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d-%03d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(millis));
    std::error_code ignored;
    for (int n = 1;; ++n) {
        const std::string name = std::string(stamp) + (n > 1 ? "-" + std::to_string(n) : "") + std::string(tail) +
                                 std::string(extension);
        const std::filesystem::path path = folder / name;
        if (!std::filesystem::exists(path, ignored)) {
            return path;
        }
    }
}

bool MakeSubfolder(std::string_view name, std::filesystem::path& folder, std::string& error) {
    folder = Folders().PlayerFile(name);
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        error = "cannot make folder '" + Utf8Of(folder) + "': " + failure.message();
        return false;
    }
    return true;
}

bool WriteText(const std::filesystem::path& path, std::string_view text) {
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return ReplaceFile(Utf8Of(path), bytes, DiskFileWriter());
}

}  // namespace player_files
