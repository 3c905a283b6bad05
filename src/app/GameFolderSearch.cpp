#include "app/GameFolderSearch.h"

#include <cstdlib>

#include "base/FilePath.h"
#include "platform/SystemFolders.h"
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
bool UsableRoot(const std::string& path) { return !path.empty() && PathFromUtf8(path).is_absolute(); }

}  // namespace

FolderClues ReadFolderClues(const std::string& dataFlag, const char* argv0) {
    FolderClues clues;
    std::error_code error;
    if (!dataFlag.empty()) {
        clues.dataFlag = fs::absolute(PathFromUtf8(dataFlag), error);
    } else {
        clues.preferenceFolder = platform::PreferenceFolder();
    }
    clues.executableFolder = platform::ExecutableFolder(argv0);
    clues.portableMark = fs::is_regular_file(clues.executableFolder / kPortableMark, error);
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) {
        clues.xdgDataHome = xdg;
    }
    const char* home = std::getenv("HOME");
    clues.home = UsableRoot(home != nullptr ? home : "") ? home : platform::AccountHome();
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
    if (!clues.preferenceFolder.empty()) {
        folders = {clues.executableFolder, clues.portableMark ? clues.executableFolder : clues.preferenceFolder};
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
        dataHome = PathFromUtf8(clues.xdgDataHome);
    } else if (UsableRoot(clues.home)) {
        dataHome = PathFromUtf8(clues.home) / ".local" / "share";
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
        std::error_code ignored;
        if (fs::is_directory(partial, ignored)) {
            continue;  // a drive or a folder that is there already
        }
        std::string reason;
        if (!platform::MakeOneFolder(partial, reason)) {
            error = "cannot make the folder for your files '" + Utf8Of(partial) + "': " + reason;
            return false;
        }
    }
    std::error_code ignored;
    if (!fs::is_directory(folder, ignored)) {
        error = "the folder for your files '" + Utf8Of(folder) + "' is not a folder";
        return false;
    }
    return true;
}
