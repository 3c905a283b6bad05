#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ReplayFile.h"
#include "support/HeadlessRuns.h"

namespace {

namespace fs = std::filesystem;

// From the title into an easy battle on the first stage; two towers bought and placed in the
// preparation, the stage started and its waves called at once; then the stage is lost.
std::string BattleScript(const std::string& speedKeys) {
    std::string text =
        "300 move 520 200\n301 click left\n"  // game select
        "400 move 350 120\n401 click left\n"  // easy
        "420 move 580 440\n421 click left\n"  // start
        "900 key 1\n903 move 176 176\n904 click left\n905 key D\n"
        "910 key 1\n913 move 176 272\n914 click left\n915 key D\n"
        "960 key N\n";
    for (int frame = 980; frame <= 1100; frame += 10) {
        text += std::to_string(frame) + " key N\n";
    }
    text += speedKeys;
    text += "2100 move 240 320\n2102 click left\n";  // lost by now; the result window docks
    return text;
}

// ... and then the battle is left through the result's pause menu for the title.
std::string LeavingScript(const std::string& speedKeys) {
    return BattleScript(speedKeys) + "2300 move 537 390\n2302 click left\n2360 move 224 310\n2362 click left\n" +
           "2600 close\n";
}

class BattleSpeedAndReplay : public HeadlessRuns {
protected:
    // A run's name and the Tab presses that set its speed.
    struct Speed {
        const char* name;
        std::string keys;
    };

    static std::vector<fs::path> Replays(const fs::path& data) {
        std::vector<fs::path> files;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(data / "replays", ignored)) {
            files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        return files;
    }
};

// The same input at the same frames gives the same battle at x1, x2 and x4: the same result
// line, the same save file and the same recorded replay. A replay of it ends the same way.
TEST_F(BattleSpeedAndReplay, ABattleAtEverySpeedEndsTheSameAndItsReplayToo) {
    const Speed speeds[] = {
        {"x1", ""},
        {"x2", "1000 key Tab\n"},
        {"x4", "1000 key Tab\n1010 key Tab\n"},
    };
    std::vector<std::string> lines;
    std::vector<std::string> saves;
    std::vector<std::string> replays;
    for (const Speed& speed : speeds) {
        const fs::path data = DataFolder(speed.name);
        const Run run = Play(data, "", LeavingScript(speed.keys));
        ASSERT_EQ(run.exitCode, 0) << speed.name << ": " << run.err;
        ASSERT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
        lines.push_back(run.out);
        saves.push_back(ReadWholeFile(data / "save.dat"));
        const std::vector<fs::path> files = Replays(data);
        ASSERT_EQ(files.size(), 1u) << speed.name;
        EXPECT_NE(files[0].filename().string().find("_rouka_easy_ardel.replay"), std::string::npos) << files[0];
        replays.push_back(ReadWholeFile(files[0]));
        EXPECT_NE(ReadWholeFile(data / "log.txt").find("リプレイを保存しました"), std::string::npos);
    }
    EXPECT_EQ(lines[0].rfind("score ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("lives 0,"), std::string::npos) << "the stage was to be lost: " << lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], lines[0]) << speeds[i].name;
        EXPECT_EQ(saves[i], saves[0]) << speeds[i].name;
        EXPECT_EQ(replays[i], replays[0]) << speeds[i].name;
    }

    // The battle was left through its menu; its replay ends there, with the same line.
    const fs::path replay = Replays(Dir() / "x4")[0];
    const Run again = Play(DataFolder("x4-replay"), "--replay '" + replay.string() + "'");
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, lines[0]);
}

// At x4 the battle draws the very picture it draws at x1, with the speed sign in the top left
// border; once the battle stands still for its result window, the sign is gone and the picture
// is x1's to the pixel.
TEST_F(BattleSpeedAndReplay, FastForwardDrawsTheSameBattleWithItsSignInTheBorderOnly) {
    std::vector<std::uint32_t> running[2];
    std::vector<std::uint32_t> result[2];
    const Speed speeds[] = {{"sign-x1", ""}, {"sign-x4", "1000 key Tab\n1010 key Tab\n"}};
    for (int i = 0; i < 2; ++i) {
        const fs::path data = DataFolder(speeds[i].name);
        const std::string shots = " --screenshot '1200:" + (data / "running.png").string() + "' --screenshot '2200:" +
                                  (data / "result.png").string() + "'";
        // The game's own picture: the guides' speed button would show the speed too.
        const Run run = Play(data, shots + " --guides off", BattleScript(speeds[i].keys) + "2210 close\n");
        ASSERT_EQ(run.exitCode, 0) << speeds[i].name << ": " << run.err;
        running[i] = Pixels(data / "running.png");
        result[i] = Pixels(data / "result.png");
        ASSERT_EQ(running[i].size(), 640u * 480u) << speeds[i].name;
        ASSERT_EQ(result[i].size(), 640u * 480u) << speeds[i].name;
    }
    // The sign's box: 64 x 16 pixels centred on (36, 9).
    auto inSign = [](std::size_t at) { return at % 640 >= 4 && at % 640 < 68 && at / 640 >= 1 && at / 640 < 17; };
    int signPixels = 0;
    for (std::size_t at = 0; at < running[0].size(); ++at) {
        if (running[1][at] != running[0][at]) {
            ASSERT_TRUE(inSign(at)) << "pixel (" << at % 640 << ", " << at / 640 << ") differs at x4";
            ++signPixels;
        }
    }
    EXPECT_GT(signPixels, 20) << "no sign at x4";
    EXPECT_TRUE(result[1] == result[0]);
}

// A battle closed while it runs keeps its replay; the replay ends on the same frame, at x1 or
// fast-forwarded, with the same result and the same picture. The folder keeps the newest 100.
TEST_F(BattleSpeedAndReplay, AReplayEndsOnTheRecordedPictureAndTheFolderKeepsAHundred) {
    const fs::path data = DataFolder("recorded");
    fs::create_directories(data / "replays");
    for (int i = 0; i < 105; ++i) {
        const std::string name = "20000101-000000-" + std::to_string(100 + i) + "_rouka_easy_ardel.replay";
        std::ofstream(data / "replays" / name) << i;
    }
    std::ofstream(data / "replays" / "notes.txt") << "not a replay";
    // Pictures of the game's own: the guides' speed button would show the speed the replay is
    // watched at.
    const Run original = Play(data, "--guides off --screenshot 'last:" + (data / "original.png").string() + "'",
                              BattleScript("") + "2150 close\n");
    ASSERT_EQ(original.exitCode, 0) << original.err;
    std::vector<fs::path> files = Replays(data);
    ASSERT_EQ(files.size(), 101u);  // the hundred newest replays, and the notes
    EXPECT_EQ(files.front().filename(), "20000101-000000-106_rouka_easy_ardel.replay");
    EXPECT_TRUE(fs::exists(data / "replays" / "notes.txt"));
    const fs::path replay = files[files.size() - 2];
    ASSERT_EQ(replay.extension(), ".replay");
    ASSERT_NE(replay.filename().string().rfind("2000", 0), 0u);

    const Run watched = Play(DataFolder("watched"), "--guides off --replay '" + replay.string() + "' --screenshot 'last:" +
                                                        (Dir() / "watched.png").string() + "'");
    EXPECT_EQ(watched.exitCode, 0) << watched.err;
    EXPECT_EQ(watched.out, original.out);
    const std::vector<std::uint32_t> picture = Pixels(data / "original.png");
    ASSERT_FALSE(picture.empty());
    EXPECT_TRUE(Pixels(Dir() / "watched.png") == picture);

    // Tab works in a replay too; the battle is the same.
    const Run fast = Play(DataFolder("fast"), "--guides off --replay '" + replay.string() + "' --screenshot 'last:" +
                                                  (Dir() / "fast.png").string() + "'",
                          "300 key Tab\n310 key Tab\n");
    EXPECT_EQ(fast.exitCode, 0) << fast.err;
    EXPECT_EQ(fast.out, original.out);
    EXPECT_TRUE(Pixels(Dir() / "fast.png") == picture);
}

// A replay that is damaged, cut short, or made with other packs is refused with a reason and exit
// code 2, before any battle is shown.
TEST_F(BattleSpeedAndReplay, ADamagedOrForeignReplayIsRefusedWithExitCodeTwo) {
    Replay replay;
    replay.gameVersion = VELMORIA_VERSION;
    replay.frames = 10;
    replay.input = "1 move 10 10\n";
    const fs::path data = DataFolder("refused");
    const std::string good = FormatReplay(replay);  // its packs fingerprint is 0: not these packs

    struct Case {
        const char* name;
        std::string text;
        const char* reason;
    };
    std::string damaged = good;
    damaged[damaged.find("move 10")] = 'n';
    Replay otherVersion = replay;
    otherVersion.gameVersion = "0.0.1";
    const Case cases[] = {
        {"damaged", damaged, "damaged"},
        {"cut", good.substr(0, good.size() / 2), "cut short"},
        {"other-packs", good, "other packs"},
        {"other-version", FormatReplay(otherVersion), "version '0.0.1'"},
    };
    for (const Case& c : cases) {
        const fs::path path = data / (std::string(c.name) + ".replay");
        std::ofstream(path, std::ios::binary) << c.text;
        const Run run = Play(data, "--replay '" + path.string() + "'");
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << c.name;
    }
    const Run missing = Play(data, "--replay '" + (data / "none.replay").string() + "'");
    EXPECT_EQ(missing.exitCode, 2);
}

}  // namespace

// The guides only draw: a battle recorded with them plays back the same without them, and the
// other way round; so does the same input played live.
TEST_F(BattleSpeedAndReplay, AReplayPlaysTheSameWithTheGuidesOnOrOff) {
    const char* settings[] = {"on", "off"};
    std::string lines[2];
    for (int i = 0; i < 2; ++i) {
        const std::string name = std::string("guides-") + settings[i];
        const fs::path data = DataFolder(name);
        // The speed button is clicked too; without the guides there is nothing there to click.
        const Run run = Play(data, std::string("--guides ") + settings[i],
                             LeavingScript("1000 move 516 16\n1001 click left\n"));
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err;
        lines[i] = run.out;
        const std::vector<fs::path> files = Replays(data);
        ASSERT_EQ(files.size(), 1u) << name;
        const Run again = Play(DataFolder(name + "-played-" + settings[1 - i]),
                               std::string("--guides ") + settings[1 - i] + " --replay '" + files[0].string() + "'");
        EXPECT_EQ(again.exitCode, 0) << name << ": " << again.err;
        EXPECT_EQ(again.out, run.out) << name;
    }
    EXPECT_EQ(lines[0], lines[1]);
    EXPECT_NE(lines[0].find("lives 0,"), std::string::npos) << lines[0];
}
