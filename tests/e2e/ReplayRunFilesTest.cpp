#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ReplayFile.h"
#include "resource/PackNames.h"
#include "support/RunGame.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct Ran {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A short battle of the bot's, as a replay of the game's own, shared by the tests of the suite;
// and the files the game is handed, each test in a folder of its own.
class ReplayRunFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new ScopedTempDir();
        replay_ = dir_->Path() / "bot.replay";
        const std::string command = std::string("'") + VELMORIA_BUILD_DIR + "/tools/bot/velmoria-bot' --data '" +
                                    VELMORIA_GAME_DIR + "' --seed 5 --frames 900 --quiet --replay-out '" +
                                    replay_.string() + "' > /dev/null 2>&1";
        const int status = std::system(command.c_str());
        botPlayed_ = WIFEXITED(status) && WEXITSTATUS(status) <= 1 && fs::exists(replay_);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(botPlayed_) << "the bot wrote no replay"; }

    // A folder of its own with links to the built packs.
    static fs::path DataFolder(const std::string& name) {
        const fs::path data = dir_->Path() / name;
        fs::create_directories(data);
        for (const char* pack : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
            fs::create_symlink(fs::path(VELMORIA_GAME_DIR) / pack, data / pack);
        }
        return data;
    }

    static Ran Game(const std::string& arguments, int timeLimit = 300) {
        Ran run;
        const fs::path out = dir_->Path() / "stdout.txt";
        const fs::path err = dir_->Path() / "stderr.txt";
        run.exitCode = RunGameBinary("--headless " + arguments, err.string(), timeLimit, out.string());
        run.out = ReadWholeFile(out);
        run.err = ReadWholeFile(err);
        return run;
    }

    static Ran Bot(const std::string& arguments) {
        Ran run;
        const fs::path out = dir_->Path() / "bot-stdout.txt";
        const fs::path err = dir_->Path() / "bot-stderr.txt";
        const std::string command = std::string("timeout 300 '") + VELMORIA_BUILD_DIR + "/tools/bot/velmoria-bot' " +
                                    arguments + " > '" + out.string() + "' 2> '" + err.string() + "'";
        const int status = std::system(command.c_str());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadWholeFile(out);
        run.err = ReadWholeFile(err);
        return run;
    }

    static std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

    // The bot's replay with its frames header changed and its checksum made anew.
    static fs::path ReplayOfFrames(std::uint32_t frames) {
        Replay replay;
        std::string error;
        EXPECT_TRUE(ParseReplay(ReadWholeFile(replay_), replay, error)) << error;
        replay.frames = frames;
        const fs::path path = dir_->Path() / ("frames-" + std::to_string(frames) + ".replay");
        std::ofstream(path, std::ios::binary) << FormatReplay(replay);
        return path;
    }

    static ScopedTempDir* dir_;
    static fs::path replay_;
    static bool botPlayed_;
};

ScopedTempDir* ReplayRunFiles::dir_ = nullptr;
fs::path ReplayRunFiles::replay_;
bool ReplayRunFiles::botPlayed_ = false;

// A header that claims more than a day of play is refused before the battle starts, by the game
// and by the bot's check alike.
TEST_F(ReplayRunFiles, AReplayClaimingMoreThanADayIsRefusedByTheGameAndTheBot) {
    const fs::path data = DataFolder("day");
    for (const std::uint32_t frames : {5184001u, 4294967295u}) {
        const fs::path replay = ReplayOfFrames(frames);
        const std::string reason = "the replay claims " + std::to_string(frames) +
                                   " frames, more than the 5184000 (a day of play) a replay can hold\n";
        const Ran game = Game("--data " + Quote(data) + " --replay " + Quote(replay), 60);
        EXPECT_EQ(game.exitCode, 2) << frames;
        EXPECT_EQ(game.err, "velmoria: " + replay.string() + ": " + reason);
        EXPECT_EQ(game.out, "");
        const Ran bot = Bot("--data '" + std::string(VELMORIA_GAME_DIR) + "' --check-replay " + Quote(replay));
        EXPECT_EQ(bot.exitCode, 2) << frames;
        EXPECT_NE(bot.err.find(replay.string() + ": " + reason), std::string::npos) << bot.err;
    }
}

// Watching a replay, one's own or another's, leaves save.dat as it was, byte for byte (every
// save writes it anew with a fresh key), and makes none where there was none.
TEST_F(ReplayRunFiles, WatchingAReplayNeverWritesTheSave) {
    const fs::path data = DataFolder("records");
    ASSERT_EQ(Game("--frames 150 --data " + Quote(data)).exitCode, 0);  // makes the default save.dat
    const std::string before = ReadWholeFile(data / "save.dat");
    ASSERT_FALSE(before.empty());
    const Ran watched = Game("--data " + Quote(data) + " --replay " + Quote(replay_));
    ASSERT_EQ(watched.exitCode, 0) << watched.err;
    EXPECT_EQ(watched.out.rfind("score ", 0), 0u) << watched.out;
    EXPECT_TRUE(ReadWholeFile(data / "save.dat") == before) << "save.dat was rewritten";

    const fs::path fresh = DataFolder("fresh");
    ASSERT_EQ(Game("--data " + Quote(fresh) + " --replay " + Quote(replay_)).exitCode, 0);
    EXPECT_FALSE(fs::exists(fresh / "save.dat"));
    EXPECT_FALSE(fs::exists(fresh / "settings.txt"));
    EXPECT_FALSE(fs::exists(fresh / "replays"));
}

// Nor does it remember a window scale asked for on its command line.
TEST_F(ReplayRunFiles, WatchingAReplayInAWindowLeavesTheWindowSettings) {
    if (!HaveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    const fs::path data = DataFolder("window");
    std::ofstream(data / "settings.txt") << "# mine\nscale 1\n";
    // A desktop with room for the window at scale 2.
    const std::string command = std::string("xvfb-run -a -s '-screen 0 1600x1200x24' env ") +
                                "ASAN_OPTIONS=detect_leaks=0 VELMORIA_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy timeout 300 '" +
                                VELMORIA_GAME_BINARY +
                                "' --window --scale 2" +
                                " --data " + Quote(data) + " --replay " + Quote(replay_) + " > /dev/null 2> " +
                                Quote(data / "stderr.txt");
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << ReadWholeFile(data / "stderr.txt");
    EXPECT_EQ(ReadWholeFile(data / "settings.txt"), "# mine\nscale 1\n");
    EXPECT_FALSE(fs::exists(data / "save.dat"));
}

// Files larger than their limits are refused with the limit named, before they fill memory.
TEST_F(ReplayRunFiles, OversizedFilesAreRefusedWithTheirLimit) {
    const fs::path data = DataFolder("oversized");
    const fs::path big = data / "big.replay";
    std::ofstream(big) << "velmoria replay 1\n";
    fs::resize_file(big, std::uintmax_t{1} << 30);  // sparse: a gigabyte that takes no room
    Ran run = Game("--data " + Quote(data) + " --replay " + Quote(big));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "velmoria: cannot read replay '" + big.string() + "': it holds more than 135266304 bytes\n");
    run = Game("--data " + Quote(data) + " --input " + Quote(big));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "velmoria: cannot read input script '" + big.string() + "': it holds more than 134217728 bytes\n");
}

// The window settings are a convenience: a settings.txt too large costs the scale, not the run.
TEST_F(ReplayRunFiles, AnOversizedSettingsFileCostsTheScaleNotTheRun) {
    if (!HaveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    const fs::path data = DataFolder("settings");
    std::ofstream(data / "settings.txt") << "scale 2\n";
    fs::resize_file(data / "settings.txt", std::uintmax_t{16} << 20);
    const std::string command = WindowRunPrefix() + "timeout 120 '" + VELMORIA_GAME_BINARY +
                                "' --window --frames 30 --data " + Quote(data) + " > /dev/null 2> " +
                                Quote(data / "stderr.txt");
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // A sanitizer build may add its table of suppressed leaks (the desktop libraries' own, which
    // the game controllers' start brings in); that is not the game's output.
    std::string err = ReadWholeFile(data / "stderr.txt");
    const std::size_t table = err.find("-----------------------------------------------------\nSuppressions used:");
    if (table != std::string::npos) {
        err.erase(table);
    }
    EXPECT_EQ(err, "velmoria: settings.txt: it holds more than 65536 bytes; the settings start afresh\n");
}

// Devices that never end are read no further than the limit.
TEST_F(ReplayRunFiles, EndlessDevicesAreCutOffAtTheLimit) {
    const fs::path data = DataFolder("endless");
    Ran run = Game("--data " + Quote(data) + " --replay /dev/zero");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "velmoria: cannot read replay '/dev/zero': it holds more than 135266304 bytes\n");
    run = Game("--data " + Quote(data) + " --input /dev/zero");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "velmoria: cannot read input script '/dev/zero': it holds more than 134217728 bytes\n");
}

// Each path the game cannot use is refused with what is wrong with it, and exit code 2.
TEST_F(ReplayRunFiles, APathThatIsNotWhatItShouldBeIsNamedForWhatItIs) {
    const fs::path data = DataFolder("paths");
    const fs::path file = data / "a-file";
    std::ofstream(file) << "x";
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"--data " + Quote(file), "velmoria: data folder '" + file.string() + "' is a file, not a folder\n"},
        {"--data ''", "velmoria: --data needs a path, not an empty word\n"},
        {"--replay ''", "velmoria: --replay needs a path, not an empty word\n"},
        {"--data " + Quote(data) + " --input " + Quote(data),
         "velmoria: cannot read input script '" + data.string() + "': it is a folder, not a file\n"},
        {"--data " + Quote(data) + " --replay " + Quote(data),
         "velmoria: cannot read replay '" + data.string() + "': it is a folder, not a file\n"},
        {"--data " + Quote(data) + " --replay " + Quote(data / "none.replay"),
         "velmoria: cannot read replay '" + (data / "none.replay").string() + "': it does not exist\n"},
    };
    for (const Case& c : cases) {
        const Ran run = Game("--frames 5 " + c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_EQ(run.err, c.message) << c.arguments;
    }
}

// A replay whose line ends became CR LF on the way plays as the replay that was written.
TEST_F(ReplayRunFiles, AReplayWithWindowsLineEndsPlaysAsWritten) {
    const fs::path data = DataFolder("crlf");
    const Ran lf = Game("--data " + Quote(data) + " --replay " + Quote(replay_));
    ASSERT_EQ(lf.exitCode, 0) << lf.err;
    std::string crlf;
    for (const char c : ReadWholeFile(replay_)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const fs::path converted = dir_->Path() / "crlf.replay";
    std::ofstream(converted, std::ios::binary) << crlf;
    const Ran run = Game("--data " + Quote(data) + " --replay " + Quote(converted));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, lf.out);
}

}  // namespace
