#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "resource/PackNames.h"
#include "resource/SaveFile.h"
#include "support/RunGame.h"
#include "support/TempDir.h"
#include "support/TitleScripts.h"

namespace {

class TitleRun : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
            std::filesystem::create_symlink(std::filesystem::path(VELMORIA_GAME_DIR) / name, dir.Path() / name);
        }
    }

    // Runs the game headless on a script. The frame limit is out of reach, so only the menu's quit
    // ends the run; a run that ignores it is cut off by the time-out and fails.
    int Run(const char* script) {
        {
            std::ofstream file(dir.Path() / "script.txt");
            file << script;
        }
        return RunGameBinary("--headless --seed 7 --frames 100000000 --data '" + dir.Path().string() + "' --input '" +
                                 (dir.Path() / "script.txt").string() + "'",
                             "/dev/null", 120);
    }

    ScopedTempDir dir;
};

TEST_F(TitleRun, OptionsAreStoredAndTheNextRunStartsFromThem) {
    ASSERT_EQ(Run(kOptionsAndQuit), 0);
    {
        CSaveFile stored;
        EXPECT_EQ(stored.settings[CSaveFile::kMusicVolume], 70u);
        EXPECT_EQ(stored.settings[CSaveFile::kEffectVolume], 85u);
        EXPECT_EQ(stored.settings[CSaveFile::kDisplayOption], 1u);
    }
    ASSERT_EQ(Run(kMusicDownAndQuit), 0);
    CSaveFile stored;
    EXPECT_EQ(stored.settings[CSaveFile::kMusicVolume], 65u);
    EXPECT_EQ(stored.settings[CSaveFile::kEffectVolume], 85u);
}

// The same seed, script, save file and packs give the same frames: the music room's reseeded
// board is drawn from the random numbers, so it shows any drift.
TEST_F(TitleRun, AHeadlessRunIsRepeatable) {
    {
        std::ofstream file(dir.Path() / "reseed.txt");
        file << "300 move 520 344\n301 click left\n420 key Space\n";
    }
    std::string shots[2];
    for (int run = 0; run < 2; ++run) {
        std::filesystem::remove(dir.Path() / "save.dat");
        const std::string shot = (dir.Path() / ("run" + std::to_string(run) + ".png")).string();
        ASSERT_EQ(RunGameBinary("--headless --seed 11 --frames 460 --data '" + dir.Path().string() + "' --input '" +
                                (dir.Path() / "reseed.txt").string() + "' --screenshot 455:'" + shot + "'"),
                  0);
        shots[run] = ReadWholeFile(shot);
    }
    ASSERT_FALSE(shots[0].empty());
    EXPECT_TRUE(shots[0] == shots[1]);
}

TEST_F(TitleRun, AWindowRunReachesTheTitleAndQuitsThroughTheMenu) {
    if (!HaveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    {
        std::ofstream file(dir.Path() / "quit.txt");
        file << "300 move 520 440\n301 click left\n";
    }
    const std::string command = WindowRunPrefix() + "timeout 120 '" + VELMORIA_GAME_BINARY + "' --window --frames 3000 --data '" + dir.Path().string() +
                                "' --input '" + (dir.Path() / "quit.txt").string() + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // 3000 frames would take 50 seconds at 60 a second; the quit comes after about 6.
    const std::string log = ReadWholeFile(dir.Path() / "log.txt");
    EXPECT_NE(log.find("ウィンドウモードで起動します"), std::string::npos);
}

}  // namespace
