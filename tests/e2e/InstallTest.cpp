#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

#include "gfx/PngCodec.h"
#include "resource/PackNames.h"
#include "resource/SaveFile.h"
#include "support/TempDir.h"
#include "support/TitleScripts.h"

namespace {

namespace fs = std::filesystem;

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Every file and folder under the root with what a write would change: size, modification time
// (a folder's changes when an entry is made or removed) and mode.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> listing;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        struct stat info {};
        lstat(entry.path().c_str(), &info);
        listing[fs::relative(entry.path(), root).string()] =
            std::to_string(info.st_size) + " " + std::to_string(info.st_mtim.tv_sec) + "." +
            std::to_string(info.st_mtim.tv_nsec) + " " + std::to_string(info.st_mode);
    }
    return listing;
}

// Takes the write permission off a tree for the life of the object, the way an install folder
// is for a player, and puts every mode back afterwards. Root writes all the same, so the tests
// also compare snapshots.
class ReadOnlyTree {
public:
    explicit ReadOnlyTree(const fs::path& root) {
        const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        modes_.emplace_back(root, fs::status(root).permissions());
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_symlink()) {
                modes_.emplace_back(entry.path(), entry.status().permissions());
            }
        }
        for (const auto& [path, mode] : modes_) {
            fs::permissions(path, mode & ~write);
        }
    }
    ~ReadOnlyTree() {
        std::error_code error;
        for (const auto& [path, mode] : modes_) {
            fs::permissions(path, mode, error);
        }
    }
    ReadOnlyTree(const ReadOnlyTree&) = delete;
    ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;

private:
    std::vector<std::pair<fs::path, fs::perms>> modes_;
};

// The build installed into a fresh prefix, as `cmake --install build --prefix P` does.
class InstalledGame : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path log = dir.Path() / "install.log";
        ASSERT_EQ(Shell(std::string("'") + VELMORIA_CMAKE_COMMAND + "' --install '" + VELMORIA_BUILD_DIR +
                        "' --prefix " + Quoted(prefix) + " > " + Quoted(log) + " 2>&1"),
                  0)
            << ReadWholeFile(log);
    }

    // The installed game, run headless from a working folder of its own, with the player's data
    // home in the temporary folder. The time limit only stops a run that ignores its script; it
    // leaves room for a machine busy with other tests.
    int RunInstalledGame(const std::string& arguments) {
        fs::create_directories(dir.Path() / "cwd");
        return Shell("cd " + Quoted(dir.Path() / "cwd") + " && env XDG_DATA_HOME=" + Quoted(dataHome) +
                     " HOME=" + Quoted(dir.Path() / "home") + " SDL_AUDIODRIVER=dummy timeout 240 " +
                     Quoted(prefix / "bin" / "velmoria") + " --headless --seed 3 " + arguments + " > /dev/null 2> " +
                     Quoted(dir.Path() / "stderr.txt"));
    }

    std::string Script(const char* events) {
        const fs::path file = dir.Path() / "script.txt";
        std::ofstream(file) << events;
        return Quoted(file);
    }

    fs::path AppFile(const std::string& folder, const std::string& suffix) const {
        return prefix / "share" / folder / (std::string(VELMORIA_APP_ID) + suffix);
    }

    ScopedTempDir dir;
    const fs::path prefix = dir.Path() / "prefix";
    const fs::path dataHome = dir.Path() / "data";
};

TEST_F(InstalledGame, PutsEveryFileWhereADesktopLooksForIt) {
    for (const char* program : {"velmoria", "velmoria-pack"}) {
        EXPECT_EQ(fs::status(prefix / "bin" / program).permissions() & fs::perms::owner_exec, fs::perms::owner_exec)
            << program;
    }
    for (const char* pack : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
        EXPECT_GT(fs::file_size(prefix / "share" / "velmoria" / pack), 0u) << pack;
    }
    for (const int size : {48, 128, 256}) {
        const std::string sizes = std::to_string(size) + "x" + std::to_string(size);
        const std::string bytes = ReadWholeFile(AppFile("icons/hicolor/" + sizes + "/apps", ".png"));
        gfx::Image icon;
        ASSERT_TRUE(gfx::DecodePng(bytes.data(), bytes.size(), icon)) << sizes;
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
        // The crest: see-through corners around an opaque middle.
        EXPECT_EQ(icon.argb.front() >> 24, 0u) << sizes;
        EXPECT_EQ(icon.argb[static_cast<std::size_t>(size / 2 * size + size / 2)] >> 24, 0xFFu) << sizes;
    }
    const std::string entry = ReadWholeFile(AppFile("applications", ".desktop"));
    EXPECT_NE(entry.find("\nExec=velmoria\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=" + std::string(VELMORIA_APP_ID) + "\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nName[ja]="), std::string::npos) << entry;
    EXPECT_NE(ReadWholeFile(AppFile("metainfo", ".metainfo.xml")).find(VELMORIA_APP_ID), std::string::npos);

    // The man pages come from each program's --help.
    const std::string gamePage = ReadWholeFile(prefix / "share" / "man" / "man6" / "velmoria.6");
    EXPECT_NE(gamePage.find("\\-\\-headless"), std::string::npos) << gamePage;
    EXPECT_NE(gamePage.find("XDG_DATA_HOME"), std::string::npos);
    const std::string packPage = ReadWholeFile(prefix / "share" / "man" / "man1" / "velmoria-pack.1");
    EXPECT_NE(packPage.find("waves\\-compile"), std::string::npos) << packPage;

    // The installed pack tool reads the installed packs.
    const fs::path listing = dir.Path() / "listing.txt";
    ASSERT_EQ(Shell(Quoted(prefix / "bin" / "velmoria-pack") + " list " + Quoted(prefix / "share/velmoria/wbk.dat") +
                    " > " + Quoted(listing)),
              0);
    EXPECT_NE(ReadWholeFile(listing).find("ruvani.png"), std::string::npos);
}

TEST_F(InstalledGame, KeepsThePlayersFilesInTheirDataHomeAndNeverWritesTheInstallFolder) {
    const fs::path playerFolder = dataHome / "velmoria";
    const auto installed = Snapshot(prefix);
    {
        ReadOnlyTree readOnly(prefix);
        // A first, short run makes the folder with the default save file and the log.
        ASSERT_EQ(RunInstalledGame("--frames 1"), 0) << ReadWholeFile(dir.Path() / "stderr.txt");
        struct stat info {};
        ASSERT_EQ(stat(playerFolder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);  // private to the player
        EXPECT_EQ(ReadWholeFile(playerFolder / "log.txt").rfind("ログ開始", 0), 0u);
        EXPECT_FALSE(fs::exists(dir.Path() / "home"));  // XDG_DATA_HOME is set, so the home is not used
        {
            fs::current_path(playerFolder);  // where a save file of the test's own is read and written
            CSaveFile stored;
            ASSERT_EQ(stored.settings[CSaveFile::kMusicVolume], 80u);
            stored.settings[CSaveFile::kMusicVolume] = 50;
            ASSERT_TRUE(stored.Save(0, 0, 0, CSaveFile::kNoOptions, 0));
        }
        // The next run starts from that file and saves the lowered volume back into it.
        ASSERT_EQ(RunInstalledGame("--frames 100000000 --input " + Script(kMusicDownAndQuit)), 0)
            << ReadWholeFile(dir.Path() / "stderr.txt");
    }
    EXPECT_EQ(Snapshot(prefix), installed);
    EXPECT_TRUE(fs::is_empty(dir.Path() / "cwd"));
    CSaveFile stored;
    EXPECT_EQ(stored.settings[CSaveFile::kMusicVolume], 45u);
    EXPECT_EQ(stored.settings[CSaveFile::kEffectVolume], 80u);
}

TEST_F(InstalledGame, DesktopEntryAndMetadataPassTheirValidators) {
    const fs::path report = dir.Path() / "report.txt";
    if (Shell("command -v desktop-file-validate > /dev/null") != 0) {
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    }
    EXPECT_EQ(Shell("desktop-file-validate " + Quoted(AppFile("applications", ".desktop")) + " > " +
                    Quoted(report) + " 2>&1"),
              0);
    EXPECT_EQ(ReadWholeFile(report), "");
    if (Shell("command -v appstreamcli > /dev/null") != 0) {
        GTEST_SKIP() << "appstreamcli (appstream) is not installed";
    }
    EXPECT_EQ(Shell("appstreamcli validate --no-net " + Quoted(AppFile("metainfo", ".metainfo.xml")) + " > " +
                    Quoted(report) + " 2>&1"),
              0)
        << ReadWholeFile(report);
}

}  // namespace
