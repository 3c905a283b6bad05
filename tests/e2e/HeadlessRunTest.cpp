#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "resource/PackNames.h"
#include "support/RunGame.h"
#include "support/TempDir.h"
#include "support/TestPacks.h"

namespace {

TEST(HeadlessRun, RunsTheFramesAndLeavesTheLogOfThisRun) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    const std::string data = " --data '" + dir.Path().string() + "'";
    ASSERT_EQ(RunGameBinary("--headless --frames 300" + data), 0);
    const std::string log = ReadWholeFile(dir.Path() / "log.txt");
    EXPECT_EQ(log.rfind("ログ開始--------------------------------------------\nウィンドウモードで起動します\n", 0), 0u)
        << log;
}

TEST(HeadlessRun, BadCommandLinesAreUsageErrors) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    const std::string errors = (dir.Path() / "stderr.txt").string();
    EXPECT_EQ(RunGameBinary("--no-such-flag", errors), 2);
    EXPECT_NE(ReadWholeFile(errors).find("--no-such-flag"), std::string::npos);
    EXPECT_EQ(RunGameBinary("--headless --frames ten", errors), 2);
    EXPECT_EQ(RunGameBinary("--headless --frames", errors), 2);
    EXPECT_EQ(RunGameBinary("--headless --input /no/such/script", errors), 2);
    EXPECT_EQ(RunGameBinary("--headless --data /no/such/folder", errors), 2);
    EXPECT_NE(ReadWholeFile(errors).find("/no/such/folder"), std::string::npos);
}

TEST(HeadlessRun, AScriptedCloseEndsTheRunCleanly) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    {
        std::ofstream script(dir.Path() / "close.txt");
        script << "5 move 10 10\n20 close\n";
    }
    const std::string args = "--headless --frames 100000 --data '" + dir.Path().string() + "' --input '" +
                             (dir.Path() / "close.txt").string() + "'";
    EXPECT_EQ(RunGameBinary(args), 0);
}

TEST(HeadlessRun, AMissingPackIsToldOnceAndEndsTheRunInOrder) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));
    std::filesystem::remove(dir.Path() / pack::kEffectPack);
    const std::string errors = (dir.Path() / "stderr.txt").string();
    // Far more frames than the start-up scene needs to find the pack missing.
    EXPECT_EQ(RunGameBinary("--headless --frames 100000 --data '" + dir.Path().string() + "'", errors, 120), 0);
    // Only the missing pack is reported, not the sounds that are missing with it.
    EXPECT_EQ(ReadWholeFile(errors), "[エラー] ファイルが見つかりません\n");
    const std::string log = ReadWholeFile(dir.Path() / "log.txt");
    EXPECT_NE(log.find("ファイルが見つかりません\n"), std::string::npos) << log;
}

TEST(WindowRun, WithoutADisplaySaysHowToRunAndExitsWithOne) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    const std::string errors = (dir.Path() / "stderr.txt").string();
    const std::string args = "--window --frames 5 --data '" + dir.Path().string() + "'";
    const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '") +
                                VELMORIA_GAME_BINARY + "' " + args + " 2> '" + errors + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(ReadWholeFile(errors).find("--headless"), std::string::npos);
}

}  // namespace
