#include "app/GameFolderSearch.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resource/PackNames.h"

namespace {

constexpr char kFolderName[] = "velmoria";

namespace fs = std::filesystem;

bool HoldsPacks(const fs::path& folder) {
    std::error_code error;
    // The pack the game cannot start without marks a folder as holding the packs.
    return fs::is_regular_file(folder / pack::kGraphicsPack, error);
}

// The XDG rules make relative paths in these variables invalid: they are ignored.
bool UsableRoot(const std::string& path) { return !path.empty() && path.front() == '/'; }

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

}  // namespace

FolderClues ReadFolderClues(const std::string& dataFlag, const char* argv0) {
    FolderClues clues;
    std::error_code error;
    if (!dataFlag.empty()) {
        clues.dataFlag = fs::absolute(dataFlag, error);
    }
    clues.executableFolder = fs::canonical("/proc/self/exe", error).parent_path();
    if (error) {
        clues.executableFolder = fs::absolute(argv0, error).parent_path();
    }
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) {
        clues.xdgDataHome = xdg;
    }
    const char* home = std::getenv("HOME");
    clues.home = UsableRoot(home != nullptr ? home : "") ? home : AccountHome();
    return clues;
}

// VELMORIA_PACKS_FROM_BINDIR comes from the install rules ("../share/velmoria" by default), so the
// game looks where they put the packs.
fs::path InstalledPacksFolder(const fs::path& executableFolder) {
    return (executableFolder / VELMORIA_PACKS_FROM_BINDIR).lexically_normal();
}

bool FindGameFolders(const FolderClues& clues, GameFolders& folders, std::string& error) {
    if (!clues.dataFlag.empty()) {
        folders = {clues.dataFlag, clues.dataFlag};
        return true;
    }
    const fs::path installed = InstalledPacksFolder(clues.executableFolder);
    std::error_code ignored;
    if (HoldsPacks(clues.executableFolder) || !fs::is_directory(installed, ignored)) {
        folders = {clues.executableFolder, clues.executableFolder};
        return true;
    }
    fs::path dataHome;
    if (UsableRoot(clues.xdgDataHome)) {
        dataHome = clues.xdgDataHome;
    } else if (UsableRoot(clues.home)) {
        dataHome = fs::path(clues.home) / ".local" / "share";
    } else {
        error = "cannot tell where to keep your files: neither XDG_DATA_HOME nor HOME names a folder";
        return false;
    }
    folders = {installed, (dataHome / kFolderName).lexically_normal()};
    return true;
}

bool MakePlayerFolder(const fs::path& folder, std::string& error) {
    fs::path partial;
    for (const fs::path& part : folder) {
        partial /= part;
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot make the folder for your files '" + partial.string() + "': " + std::strerror(errno);
            return false;
        }
    }
    std::error_code ignored;
    if (!fs::is_directory(folder, ignored)) {
        error = "the folder for your files '" + folder.string() + "' is not a folder";
        return false;
    }
    return true;
}
