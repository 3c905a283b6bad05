#include "app/GameFolderSearch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "resource/PackNames.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// A made-up file system: an executable's folder, maybe with packs beside it, maybe an installed
// packs folder, and a home.
class FolderSearch : public ::testing::Test {
protected:
    void SetUp() override {
        clues.executableFolder = dir.Path() / "prefix" / "bin";
        clues.home = (dir.Path() / "home").string();
        fs::create_directories(clues.executableFolder);
    }

    static void PutPack(const fs::path& folder) {
        fs::create_directories(folder);
        std::ofstream(folder / pack::kGraphicsPack) << "pack";
    }

    GameFolders Find() {
        GameFolders folders;
        std::string error;
        EXPECT_TRUE(FindGameFolders(clues, folders, error)) << error;
        return folders;
    }

    ScopedTempDir dir;
    FolderClues clues;
};

TEST_F(FolderSearch, PacksBesideTheExecutableKeepThePlayersFilesWithThem) {
    PutPack(clues.executableFolder);
    PutPack(InstalledPacksFolder(clues.executableFolder));  // the copy beside the program wins
    const GameFolders folders = Find();
    EXPECT_EQ(folders.packs, clues.executableFolder);
    EXPECT_EQ(folders.playerFiles, clues.executableFolder);
}

TEST_F(FolderSearch, AnInstalledGameKeepsThePlayersFilesUnderTheirDataHome) {
    PutPack(InstalledPacksFolder(clues.executableFolder));

    clues.xdgDataHome = (dir.Path() / "data").string();
    GameFolders folders = Find();
    EXPECT_EQ(folders.packs, InstalledPacksFolder(clues.executableFolder));
    EXPECT_EQ(folders.playerFiles, dir.Path() / "data" / "velmoria");

    // Unset, empty or relative (which the XDG rules call invalid): the default under the home.
    for (const char* unusable : {"", "relative/data"}) {
        clues.xdgDataHome = unusable;
        folders = Find();
        EXPECT_EQ(folders.playerFiles, dir.Path() / "home" / ".local" / "share" / "velmoria") << unusable;
    }

    clues.home.clear();
    std::string error;
    EXPECT_FALSE(FindGameFolders(clues, folders, error));
    EXPECT_NE(error.find("HOME"), std::string::npos);
}

TEST_F(FolderSearch, TheDataFlagNamesBothFoldersWhateverIsInstalled) {
    PutPack(clues.executableFolder);
    PutPack(InstalledPacksFolder(clues.executableFolder));
    clues.dataFlag = dir.Path() / "mine";
    const GameFolders folders = Find();
    EXPECT_EQ(folders.packs, clues.dataFlag);
    EXPECT_EQ(folders.playerFiles, clues.dataFlag);
}

// A build folder whose packs were never made: the game runs there and reports the missing pack.
TEST_F(FolderSearch, WithNoPacksAnywhereTheExecutablesFolderIsUsed) {
    const GameFolders folders = Find();
    EXPECT_EQ(folders.packs, clues.executableFolder);
    EXPECT_EQ(folders.playerFiles, clues.executableFolder);
}

TEST(PlayerFolder, IsMadeWithItsParentsPrivateToThePlayerAndExistingFoldersAreLeftAlone) {
    ScopedTempDir dir;
    fs::create_directories(dir.Path() / "home");
    fs::permissions(dir.Path() / "home", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const fs::path folder = dir.Path() / "home" / ".local" / "share" / "velmoria";
    std::string error;
    ASSERT_TRUE(MakePlayerFolder(folder, error)) << error;
    ASSERT_TRUE(MakePlayerFolder(folder, error)) << error;  // a second run finds it made
    for (const fs::path& made : {folder, folder.parent_path(), folder.parent_path().parent_path()}) {
        struct stat info {};
        ASSERT_EQ(stat(made.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }
    EXPECT_EQ(fs::status(dir.Path() / "home").permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

TEST(PlayerFolder, AFileInTheWayIsAReasonNotAFolder) {
    ScopedTempDir dir;
    std::ofstream(dir.Path() / "share") << "not a folder";
    std::string error;
    EXPECT_FALSE(MakePlayerFolder(dir.Path() / "share", error));
    EXPECT_NE(error.find("share"), std::string::npos);
    error.clear();
    EXPECT_FALSE(MakePlayerFolder(dir.Path() / "share" / "velmoria", error));
    EXPECT_NE(error.find("share"), std::string::npos);
}

}  // namespace
