#include "base/FilePath.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cstdio>

#ifdef _WIN32

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    // Always binary: the game's text files end their lines with \n alone on every system.
    if (wideMode.find(L'b') == std::wstring::npos) {
        wideMode += L'b';
    }
    return _wfopen(path.c_str(), wideMode.c_str());
}

bool SyncToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else

std::filesystem::path PathFromUtf8(std::string_view utf8) { return std::filesystem::path(utf8); }

std::string Utf8Of(const std::filesystem::path& path) { return path.string(); }

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool SyncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    const bool renamed = std::rename(from.c_str(), to.c_str()) == 0;
#ifdef __EMSCRIPTEN__
    // Every file the game keeps arrives here whole; in a browser its folder lives in memory
    // until the page copies it to the browser's storage, which the page does on its own thread.
    if (renamed) {
        MAIN_THREAD_ASYNC_EM_ASM({
            if (Module.persistPlayerFiles) Module.persistPlayerFiles();
        });
    }
#endif
    return renamed;
}

#endif

std::FILE* OpenFile(const std::string& utf8, const char* mode) { return OpenFile(PathFromUtf8(utf8), mode); }
