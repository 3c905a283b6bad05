#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/BattleReplay.h"
#include "support/HeadlessRuns.h"

namespace {

namespace fs = std::filesystem;

// A script line: the frame and the event.
struct Event {
    int frame;
    std::string event;
};

std::string ScriptOf(const std::vector<Event>& events) {
    std::string text;
    for (const Event& e : events) {
        text += std::to_string(e.frame) + " " + e.event + "\n";
    }
    return text;
}

// From the title into an easy battle on the first stage at x2: a tower placed, the stage started.
std::vector<Event> IntoTheBattle() {
    return {{300, "move 520 200"}, {301, "click left"},  // game select
            {400, "move 350 120"}, {401, "click left"},  // easy
            {420, "move 580 440"}, {421, "click left"},  // start
            {900, "key 1"},        {903, "move 176 176"}, {904, "click left"}, {905, "key D"},
            {960, "key N"},        {1000, "key Tab"},
            // The first shop tower chosen, its cursor over a free plot: a click there places it.
            {1100, "key 1"},       {1103, "move 272 176"}};
}

// After the list of keys: N called (the next wave for a bonus), the tower dropped, a while, close.
std::vector<Event> AfterTheHelp(int shift) {
    return {{1130 - shift, "key D"}, {1300 - shift, "key N"}, {1500 - shift, "close"}};
}

// F1 at 1110 opens the list; N goes down while it is open and is still held when the click at
// 1120 lets go in 1121 and closes it; N goes up after.
constexpr int kHelpOpen = 1110;
constexpr int kHelpClosed = 1121;
constexpr int kHelpFrames = kHelpClosed - kHelpOpen;  // frames the battle does not run
std::vector<Event> WithTheHelp() {
    std::vector<Event> events = IntoTheBattle();
    const std::vector<Event> help = {{kHelpOpen, "key F1"}, {1116, "keydown N"}, {1120, "click left"},
                                     {1125, "keyup N"}};
    events.insert(events.end(), help.begin(), help.end());
    const std::vector<Event> after = AfterTheHelp(0);
    events.insert(events.end(), after.begin(), after.end());
    return events;
}

// The same battle without the list: N goes down in the battle frame that followed the close.
std::vector<Event> WithoutTheHelp() {
    std::vector<Event> events = IntoTheBattle();
    const std::vector<Event> same = {{kHelpOpen + 1, "keydown N"}, {1125 - kHelpFrames, "keyup N"}};
    events.insert(events.end(), same.begin(), same.end());
    const std::vector<Event> after = AfterTheHelp(kHelpFrames);
    events.insert(events.end(), after.begin(), after.end());
    return events;
}

class GuidesRun : public HeadlessRuns {
protected:
    static fs::path OnlyReplay(const fs::path& data) {
        std::vector<fs::path> files;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(data / "replays", ignored)) {
            files.push_back(entry.path());
        }
        return files.size() == 1 ? files[0] : fs::path();
    }
};

// The list's gold edge runs down x 38..39 of the frame.
constexpr std::size_t kEdgePixel = 240 * 640 + 39;

std::string Shots(const fs::path& data) {
    return "--screenshot '" + std::to_string(kHelpOpen - 1) + ":" + (data / "before.png").string() +
           "' --screenshot '1112:" + (data / "open.png").string() + "' --screenshot '1120:" +
           (data / "still.png").string() + "'";
}

// F1 stops the battle under the list of keys; the click that closes it reaches nothing, and a key
// pressed while it was open and held after it counts as pressed then. The battle and its replay
// are those of the same input without the list, and the replay plays back to the same end.
TEST_F(GuidesRun, TheListOfKeysStopsTheBattleAndLeavesItAsItWas) {
    const fs::path withHelp = DataFolder("with-help");
    const Run helped = Play(withHelp, Shots(withHelp), ScriptOf(WithTheHelp()));
    ASSERT_EQ(helped.exitCode, 0) << helped.err;
    const fs::path without = DataFolder("without-help");
    const Run plain = Play(without, "", ScriptOf(WithoutTheHelp()));
    ASSERT_EQ(plain.exitCode, 0) << plain.err;

    ASSERT_EQ(plain.out.rfind("score ", 0), 0u) << plain.out;
    EXPECT_EQ(helped.out, plain.out);
    const fs::path replay = OnlyReplay(withHelp);
    ASSERT_FALSE(replay.empty());
    ASSERT_FALSE(OnlyReplay(without).empty());
    EXPECT_EQ(ReadWholeFile(replay), ReadWholeFile(OnlyReplay(without)));

    // On screen: the list over the battle from its first frame, and nothing new under it.
    const std::vector<std::uint32_t> before = Pixels(withHelp / "before.png");
    const std::vector<std::uint32_t> open = Pixels(withHelp / "open.png");
    ASSERT_EQ(before.size(), 640u * 480u);
    ASSERT_EQ(open.size(), 640u * 480u);
    EXPECT_NE(before[kEdgePixel], open[kEdgePixel]);
    EXPECT_EQ(open[kEdgePixel] & 0xFFFFFFu, 0xC8A03Cu);
    EXPECT_TRUE(Pixels(withHelp / "still.png") == open);

    const Run watched = Play(DataFolder("watched"), "--replay '" + replay.string() + "'");
    EXPECT_EQ(watched.exitCode, 0) << watched.err;
    EXPECT_EQ(watched.out, plain.out);
}

// With the guides off F1 does nothing: the battle runs on, no list is drawn, and the click reaches
// the battle (its replay runs the frames the list would have held, and holds the click).
TEST_F(GuidesRun, WithTheGuidesOffF1DoesNothing) {
    const fs::path on = DataFolder("help-on");
    ASSERT_EQ(Play(on, "", ScriptOf(WithTheHelp())).exitCode, 0);
    const fs::path off = DataFolder("help-off");
    const Run run = Play(off, "--guides off " + Shots(off), ScriptOf(WithTheHelp()));
    ASSERT_EQ(run.exitCode, 0) << run.err;

    Replay helped;
    Replay unhelped;
    std::string error;
    ASSERT_TRUE(LoadReplay(OnlyReplay(on), helped, error)) << error;
    ASSERT_TRUE(LoadReplay(OnlyReplay(off), unhelped, error)) << error;
    EXPECT_EQ(unhelped.frames, helped.frames + kHelpFrames);
    auto presses = [](const std::string& input) {
        std::istringstream lines(input);
        std::string line;
        int count = 0;
        while (std::getline(lines, line)) {
            count += line.find("press left") != std::string::npos ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(presses(unhelped.input), presses(helped.input) + 1);

    const std::vector<std::uint32_t> open = Pixels(off / "open.png");
    ASSERT_EQ(open.size(), 640u * 480u);
    EXPECT_NE(open[kEdgePixel] & 0xFFFFFFu, 0xC8A03Cu);
    EXPECT_FALSE(Pixels(off / "still.png") == open);
    // The guides were off for this run only: nothing was remembered.
    EXPECT_FALSE(fs::exists(off / "settings.txt"));
}

// The option screen's switch turns the guides off and settings.txt remembers it for the next run;
// --guides on shows them for one run without remembering. The game select shows the character's
// note with the guides on, and nothing else differs.
TEST_F(GuidesRun, TheOptionScreenTurnsTheGuidesOffAndTheNextRunRemembers) {
    const fs::path data = DataFolder("remembered");
    const std::string toggle = "300 move 520 392\n301 click left\n410 move 393 360\n411 click left\n";
    const Run options = Play(data, "--screenshot '415:" + (data / "options.png").string() + "'", toggle, "430");
    ASSERT_EQ(options.exitCode, 0) << options.err;
    EXPECT_NE(ReadWholeFile(data / "settings.txt").find("\nguides off\n"), std::string::npos)
        << ReadWholeFile(data / "settings.txt");

    const std::string select = "300 move 520 200\n301 click left\n";
    const Run off = Play(data, "--screenshot '399:" + (data / "select-off.png").string() + "'", select, "400");
    ASSERT_EQ(off.exitCode, 0) << off.err;
    const Run on =
        Play(data, "--guides on --screenshot '399:" + (data / "select-on.png").string() + "'", select, "400");
    ASSERT_EQ(on.exitCode, 0) << on.err;
    EXPECT_NE(ReadWholeFile(data / "settings.txt").find("\nguides off\n"), std::string::npos);

    const std::vector<std::uint32_t> without = Pixels(data / "select-off.png");
    const std::vector<std::uint32_t> with = Pixels(data / "select-on.png");
    ASSERT_EQ(without.size(), 640u * 480u);
    ASSERT_EQ(with.size(), 640u * 480u);
    int noted = 0;
    for (std::size_t at = 0; at < with.size(); ++at) {
        if (with[at] != without[at]) {
            const std::size_t x = at % 640;
            const std::size_t y = at / 640;
            // The note's box: below the character panel, between the return and start buttons.
            ASSERT_TRUE(y >= 419 && x >= 98 && x < 524) << "pixel (" << x << ", " << y << ") differs";
            ++noted;
        }
    }
    EXPECT_GT(noted, 500) << "no note with the guides on";
}

// A damaged guides line is reported like a damaged scale, and the guides stay on.
TEST_F(GuidesRun, AnUnreadableSettingsFileIsReportedAndTheGuidesStayOn) {
    const fs::path data = DataFolder("damaged");
    std::ofstream(data / "settings.txt") << "guides maybe\n";
    const Run run = Play(data, "--screenshot '399:" + (data / "select.png").string() + "'",
                         "300 move 520 200\n301 click left\n", "400");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("settings.txt: line 1: the guides are on or off"), std::string::npos) << run.err;
    const Run on = Play(data, "--guides on --screenshot '399:" + (data / "on.png").string() + "'",
                        "300 move 520 200\n301 click left\n", "400");
    ASSERT_EQ(on.exitCode, 0) << on.err;
    const std::vector<std::uint32_t> shown = Pixels(data / "select.png");
    ASSERT_EQ(shown.size(), 640u * 480u);
    EXPECT_TRUE(shown == Pixels(data / "on.png"));
}

}  // namespace
