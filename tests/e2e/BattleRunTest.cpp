#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/ReplayFile.h"
#include "resource/PackNames.h"
#include "resource/SaveFile.h"
#include "support/RunGame.h"
#include "support/TempDir.h"

namespace {

// From the title into an easy battle on the first stage with the first character.
constexpr const char kIntoTheBattle[] =
    "300 move 520 200\n301 click left\n"  // game select
    "400 move 350 120\n401 click left\n"  // easy
    "420 move 580 440\n421 click left\n";  // start: the music fades, then the battle loads

// The game frame of a run driven by kIntoTheBattle in which the battle runs its first frame.
constexpr int kBattleFrameOne = 450;

// Moves an input script of battle frames (from 1) to the game frames of such a run.
std::string ShiftedToTheRun(const std::string& battleInput) {
    std::istringstream lines(battleInput);
    std::string shifted;
    int frame = 0;
    std::string event;
    while (lines >> frame && std::getline(lines, event)) {
        shifted += std::to_string(frame + kBattleFrameOne - 1) + event + "\n";
    }
    return shifted;
}

// Leaves a battle through its pause menu and quits from the title's menu.
std::string BackToTitleAndQuit(int frame) {
    const auto at = [&](int offset, const std::string& event) {
        return std::to_string(frame + offset) + " " + event + "\n";
    };
    return at(0, "key Space") + at(60, "move 224 310") + at(62, "click left") +  // title, after its blinking
           at(600, "move 520 440") + at(602, "click left");                       // quit
}

class BattleRun : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
            std::filesystem::create_symlink(std::filesystem::path(VELMORIA_GAME_DIR) / name, dir.Path() / name);
        }
    }

    std::string Script(const std::string& text) {
        const auto path = dir.Path() / "script.txt";
        std::ofstream(path) << text;
        return path.string();
    }

    bool ReadReplay(const std::filesystem::path& path, Replay& replay) {
        std::string error;
        const bool read = ParseReplay(ReadWholeFile(path), replay, error);
        EXPECT_TRUE(read) << path << ": " << error;
        return read;
    }

    std::string Data() const { return "--data '" + dir.Path().string() + "'"; }

    ScopedTempDir dir;
};

}  // namespace

// Without towers the first waves walk through: twenty crossings end the stage, the result
// window leads to the pause menu, and the title is reached again. Nothing is recorded.
TEST_F(BattleRun, AHeadlessBattleLostThroughTheGateRecordsNothingAndReturnsToTheTitle) {
    std::string text = kIntoTheBattle;
    text += "900 key 1\n903 move 112 176\n904 click left\n905 key D\n";  // one tower, bought and kept
    text += "960 key N\n";
    for (int frame = 980; frame <= 1100; frame += 40) {
        text += std::to_string(frame) + " key N\n";  // the next waves called at once
    }
    // Confirm the result, wait for it to dock in the side panel, open the menu from it, leave.
    text += "2700 move 240 320\n2702 click left\n2900 move 537 390\n2902 click left\n";
    text += "2960 move 224 310\n2962 click left\n3500 move 520 440\n3502 click left\n";
    const int recordBefore = [] {
        CSaveFile fresh;
        return fresh.ReadBestScore(0, 0, 0, CSaveFile::kNoOptions);
    }();
    const std::string log = (dir.Path() / "stderr.txt").string();
    ASSERT_EQ(RunGameBinary("--headless --seed 5 --frames 100000 " + Data() + " --input '" + Script(text) + "'", log,
                            600),
              0)
        << ReadWholeFile(log);
    CSaveFile stored;
    EXPECT_EQ(stored.ReadBestScore(0, 0, 0, CSaveFile::kNoOptions), recordBefore);
}

// The autoplayer clears the first stage on easy with the first character; its input, played from
// the title by an input script, reaches the battle on the same battle frames and clears the stage
// in the game too. The score the result window gave is stored as the best score of that request.
TEST_F(BattleRun, AHeadlessBattleClearedFromTheTitleRecordsItsScoreAsTheBest) {
    const auto planned = dir.Path() / "planned.replay";
    const std::string bot = std::string("'") + VELMORIA_BUILD_DIR + "/tools/bot/velmoria-bot' " + Data() +
                            " --stage 0 --difficulty 0 --character 0 --strategy maze --seed 3 --quiet --replay-out '" +
                            planned.string() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(bot.c_str()), 0) << "the autoplayer did not clear the stage";
    Replay plan;
    ASSERT_TRUE(ReadReplay(planned, plan));
    ASSERT_GT(plan.result.lives, 0);

    // At four times the speed (the battle plays the same), and closed a while after the clear. The
    // game makes its save file on this first run, drawing its random filler as the autoplayer's
    // battle does in a fresh folder of its own, so with the same seed both battles start from the
    // same random state.
    const int closing = kBattleFrameOne + static_cast<int>(plan.frames) + 300;
    const std::string text = std::string(kIntoTheBattle) + ShiftedToTheRun(plan.input) + "455 key Tab\n457 key Tab\n" +
                             std::to_string(closing) + " close\n";
    const std::string log = (dir.Path() / "stderr.txt").string();
    const std::string out = (dir.Path() / "stdout.txt").string();
    ASSERT_EQ(RunGameBinary("--headless --seed 3 --frames " + std::to_string(closing + 10) + " " + Data() +
                                " --input '" + Script(text) + "'",
                            log, 900, out),
              0)
        << ReadWholeFile(log);

    // The game's own record of the battle: the same input on the same frames (the speed key is the
    // shell's, not the battle's), the stage cleared.
    std::filesystem::path played;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path() / "replays")) {
        played = entry.path();
    }
    Replay battle;
    ASSERT_TRUE(ReadReplay(played, battle));
    ASSERT_EQ(battle.battleRandom, plan.battleRandom);
    EXPECT_EQ(battle.input, plan.input);
    EXPECT_EQ(battle.result.wave, plan.result.wave);
    EXPECT_GT(battle.result.lives, 0);
    const int score = battle.result.score;
    EXPECT_GE(score, 50 * battle.result.lives);  // lives x 50, plus the bonus and the items
    EXPECT_NE(ReadWholeFile(out).find("score " + std::to_string(score) + ", lives " +
                                      std::to_string(battle.result.lives) + ", wave " +
                                      std::to_string(plan.result.wave)),
              std::string::npos);

    CSaveFile stored;
    EXPECT_EQ(stored.ReadBestScore(0, 0, 0, CSaveFile::kNoOptions), score);
}

// A real window: title, battle, pause menu, title, quit. The battle saves when it is left, so the
// save file is written anew (its unused bytes are random on every write).
TEST_F(BattleRun, AWindowRunGoesIntoABattleAndBackThroughThePauseMenu) {
    if (!HaveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ASSERT_EQ(RunGameBinary("--headless --frames 2 " + Data()), 0);
    const std::string before = ReadWholeFile(dir.Path() / "save.dat");
    ASSERT_FALSE(before.empty());

    const std::string script = Script(std::string(kIntoTheBattle) + BackToTitleAndQuit(1100));
    const std::string command = WindowRunPrefix() + "timeout 300 '" + VELMORIA_GAME_BINARY + "' --window --frames 20000 " +
                                Data() + " --input '" + script + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(ReadWholeFile(dir.Path() / "save.dat"), before);
}
