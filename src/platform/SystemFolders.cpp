#include "platform/SystemFolders.h"

#include <SDL.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "base/FilePath.h"

namespace platform {

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path ExecutableFolder(const char* argv0) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            std::error_code ignored;
            return fs::absolute(PathFromUtf8(argv0), ignored).parent_path();
        }
        if (length < buffer.size()) {
            return fs::path(std::wstring(buffer.data(), length)).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string AccountHome() { return {}; }

fs::path PreferenceFolder() {
    char* folder = SDL_GetPrefPath("", "Velmoria");
    if (folder == nullptr) {
        return {};
    }
    fs::path path = PathFromUtf8(folder);
    SDL_free(folder);
    return path.parent_path();  // SDL ends it with a separator
}

bool MakeOneFolder(const fs::path& folder, std::string& reason) {
    if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        return true;
    }
    reason = std::system_category().message(static_cast<int>(GetLastError()));
    return false;
}

#else

fs::path ExecutableFolder(const char* argv0) {
    std::error_code error;
    fs::path folder = fs::canonical("/proc/self/exe", error).parent_path();
    if (error) {
        folder = fs::absolute(argv0, error).parent_path();
    }
    return folder;
}

std::string AccountHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

#ifdef __EMSCRIPTEN__
// The page keeps this folder in the browser's storage (IndexedDB) across visits; the packs stay
// beside the "executable" the page names, in memory only.
fs::path PreferenceFolder() { return "/home/web_user/velmoria"; }
#else
fs::path PreferenceFolder() { return {}; }
#endif

bool MakeOneFolder(const fs::path& folder, std::string& reason) {
    if (mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) {
        return true;
    }
    reason = std::strerror(errno);
    return false;
}

#endif

}  // namespace platform
