#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/HeadlessRuns.h"

namespace {

namespace fs = std::filesystem;

class PadRun : public HeadlessRuns {};

// Where each of the lines is found in the text, in turn; npos for one missing or out of order.
std::size_t FindInOrder(const std::string& text, const std::vector<std::string>& lines) {
    std::size_t at = 0;
    for (const std::string& line : lines) {
        at = text.find("\n" + line + "\n", at);
        if (at == std::string::npos) {
            return at;
        }
        ++at;
    }
    return at;
}

// The fixture walks from the title through the game select into a battle, buys three towers,
// upgrades one, sells one, starts the waves, speeds up, pauses and leaves for the title, all
// with pad lines. The scenes see the mouse and keys the pad stands for, and the battle's replay,
// played back with no pad at all, ends as the battle did.
TEST_F(PadRun, AVisitPlayedWithThePadAloneReachesTheScenesAsMouseAndKeysAndItsReplayPlaysWithoutIt) {
    const std::string script = ReadWholeFile(fs::path(VELMORIA_TEST_SOURCE_DIR) / "e2e" / "pad-battle.script");
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != '#') {
            ASSERT_NE(line.find(" pad "), std::string::npos) << "pad events only: " << line;
        }
    }
    const fs::path data = DataFolder("pad");
    const Run run = Play(data,
                         "--record-input '" + (data / "trace.txt").string() + "' --screenshot '1070:" +
                             (data / "battle.png").string() + "'",
                         script, "1800");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("lives 20, wave 1"), std::string::npos) << "the waves were started: " << run.out;
    EXPECT_EQ(Pixels(data / "battle.png").size(), 640u * 480u);

    const std::string trace = ReadWholeFile(data / "trace.txt");
    EXPECT_NE(FindInOrder(trace, {"300 press left", "395 press left", "420 press left", "900 keydown 1", "936 press left",
                                  "940 keydown D", "940 press right", "944 keydown 2", "964 keydown 3", "988 keydown U",
                                  "1008 keydown S", "1067 press left", "1400 keydown Space", "1416 press left"}),
              std::string::npos)
        << trace;

    std::vector<fs::path> replays;
    for (const auto& entry : fs::directory_iterator(data / "replays")) {
        replays.push_back(entry.path());
    }
    ASSERT_EQ(replays.size(), 1u);
    const Run again = Play(DataFolder("pad-replay"), "--replay '" + replays[0].string() + "'");
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, run.out);
}

}  // namespace
