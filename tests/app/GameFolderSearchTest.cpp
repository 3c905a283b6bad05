#include "app/GameFolderSearch.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/FilePath.h"
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
        clues.home = Utf8Of(dir.Path() / "home");
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

    clues.xdgDataHome = Utf8Of(dir.Path() / "data");
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

// Windows: the packs come with the executable, the player's files go to the preference folder
// (%APPDATA%\Velmoria) unless the game's folder is marked portable; --data still names both.
TEST_F(FolderSearch, APreferenceFolderKeepsThePlayersFilesUnlessTheGameIsPortable) {
    PutPack(clues.executableFolder);
    clues.preferenceFolder = dir.Path() / "AppData" / "Roaming" / "Velmoria";
    GameFolders folders = Find();
    EXPECT_EQ(folders.packs, clues.executableFolder);
    EXPECT_EQ(folders.playerFiles, clues.preferenceFolder);

    clues.portableMark = true;
    folders = Find();
    EXPECT_EQ(folders.packs, clues.executableFolder);
    EXPECT_EQ(folders.playerFiles, clues.executableFolder);

    clues.dataFlag = dir.Path() / "mine";
    folders = Find();
    EXPECT_EQ(folders.packs, clues.dataFlag);
    EXPECT_EQ(folders.playerFiles, clues.dataFlag);
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
        ASSERT_TRUE(fs::is_directory(made)) << made;
#ifndef _WIN32  // Windows folders have no such bits; the user's profile is private already
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
#endif
    }
#ifndef _WIN32
    EXPECT_EQ(fs::status(dir.Path() / "home").permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
#endif
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
