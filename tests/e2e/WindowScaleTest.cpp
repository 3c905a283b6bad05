#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "gfx/PngCodec.h"
#include "resource/PackNames.h"
#include "support/RunGame.h"
#include "support/TempDir.h"
#include "support/TestPacks.h"

namespace {

namespace fs = std::filesystem;

bool HaveXdotool() { return std::system("command -v xdotool > /dev/null 2>&1") == 0; }

// Runs a shell script on a virtual display of 1600 x 1200 (room for a window at scale 2); the
// script finds the game as $GAME and its data folder as $DATA.
int RunOnDisplay(const fs::path& data, const std::string& script) {
    const fs::path file = data / "session.sh";
    std::ofstream(file) << "GAME='" << VELMORIA_GAME_BINARY << "'\nDATA='" << data.string() << "'\n" << script;
    const std::string command = "xvfb-run -a -s '-screen 0 1600x1200x24' env "
                                "VELMORIA_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy timeout 180 sh '" +
                                file.string() + "' > '" + (data / "session.txt").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The frame of the last "move" before the first "press left", and where it went.
std::string MoveBeforeFirstPress(const std::string& trace) {
    std::istringstream lines(trace);
    std::string line;
    std::string lastMove;
    while (std::getline(lines, line)) {
        if (line.find(" move ") != std::string::npos) {
            lastMove = line.substr(line.find(" move ") + 1);
        } else if (line.find(" press left") != std::string::npos) {
            return lastMove;
        }
    }
    return "no press";
}

// Scale 2 gives a 1280 x 960 window whose pixel (641, 481) is frame pixel (320, 240); a cursor
// that leaves the window with no button held still reaches the scenes, clamped; Alt+Enter to full
// screen and back leaves the game running in its window; the scale is remembered.
TEST(WindowScale, AScaledWindowMapsTheMouseExactlyAndSurvivesFullScreenAndBack) {
    if (!HaveXvfb() || !HaveXdotool()) {
        GTEST_SKIP() << "xvfb-run or xdotool is not installed";
    }
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));
    const std::string session = R"(
"$GAME" --window --scale 2 --data "$DATA" --record-input "$DATA/trace.txt" > "$DATA/game.out" 2>&1 &
game=$!
window=$(xdotool search --sync --onlyvisible --name '^Velmoria$' | head -n 1)
sleep 2
xdotool getwindowgeometry "$window" > "$DATA/geometry.txt"
xdotool mousemove --window "$window" 20 20
sleep 0.5
xdotool mousemove --window "$window" 641 481
sleep 0.5
xdotool mousedown 1
sleep 0.3
xdotool mouseup 1
sleep 0.5
xdotool mousemove 1590 1190
sleep 0.5
xdotool mousemove --window "$window" 100 100
sleep 0.5
xdotool keydown alt+Return
sleep 1
xdotool keyup alt+Return
sleep 2
xdotool keydown alt+Return
sleep 1
xdotool keyup alt+Return
sleep 2
xdotool getwindowgeometry "$window" > "$DATA/geometry-after.txt"
kill -0 $game && echo running > "$DATA/alive.txt"
kill -TERM $game
wait $game
echo $? > "$DATA/exit.txt"
)";
    ASSERT_EQ(RunOnDisplay(dir.Path(), session), 0) << ReadWholeFile(dir.Path() / "session.txt");
    EXPECT_NE(ReadWholeFile(dir.Path() / "geometry.txt").find("Geometry: 1280x960"), std::string::npos)
        << ReadWholeFile(dir.Path() / "geometry.txt");
    // (A virtual display has no window manager to make the window fill the screen; the log says
    // that the game went to full screen and back.)
    const std::string log = ReadWholeFile(dir.Path() / "log.txt");
    const std::size_t full = log.find("フルスクリーンに切り替えました");
    ASSERT_NE(full, std::string::npos) << log;
    EXPECT_NE(log.find("ウィンドウモードに切り替えました", full), std::string::npos) << log;
    EXPECT_NE(ReadWholeFile(dir.Path() / "geometry-after.txt").find("Geometry: 1280x960"), std::string::npos)
        << ReadWholeFile(dir.Path() / "geometry-after.txt");
    EXPECT_EQ(ReadWholeFile(dir.Path() / "alive.txt"), "running\n");
    EXPECT_EQ(ReadWholeFile(dir.Path() / "exit.txt"), "0\n") << ReadWholeFile(dir.Path() / "game.out");

    const std::string trace = ReadWholeFile(dir.Path() / "trace.txt");
    EXPECT_EQ(MoveBeforeFirstPress(trace), "move 320 240") << trace;
    EXPECT_NE(trace.find(" move 640 480\n"), std::string::npos) << trace;
    EXPECT_NE(ReadWholeFile(dir.Path() / "settings.txt").find("scale 2\n"), std::string::npos);
}

// F12 writes the frame shown into screenshots/, the same picture a screenshot of that frame from
// the command line gets, and the log says where.
TEST(WindowScale, F12WritesTheShownFrameIntoTheScreenshotsFolder) {
    if (!HaveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScopedTempDir dir;
    // The real packs: the start-up picture is what both screenshots must show.
    for (const char* pack : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
        fs::create_symlink(fs::path(VELMORIA_GAME_DIR) / pack, dir.Path() / pack);
    }
    std::ofstream(dir.Path() / "script.txt") << "60 key F12\n";
    const std::string session =
        "\"$GAME\" --window --scale 1 --frames 70 --data \"$DATA\" --input \"$DATA/script.txt\" "
        "--screenshot \"60:$DATA/asked.png\"\n";
    ASSERT_EQ(RunOnDisplay(dir.Path(), session), 0) << ReadWholeFile(dir.Path() / "session.txt");
    std::vector<fs::path> shots;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "screenshots")) {
        shots.push_back(entry.path());
    }
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0].extension(), ".png");
    auto pixels = [](const fs::path& path) {
        const std::string bytes = ReadWholeFile(path);
        gfx::Image image;
        EXPECT_TRUE(gfx::DecodePng(bytes.data(), bytes.size(), image)) << path;
        return image.argb;
    };
    const std::vector<std::uint32_t> asked = pixels(dir.Path() / "asked.png");
    ASSERT_EQ(asked.size(), 640u * 480u);
    EXPECT_TRUE(pixels(shots[0]) == asked);
    EXPECT_NE(ReadWholeFile(dir.Path() / "log.txt").find("スクリーンショットを保存しました: " + shots[0].string()),
              std::string::npos);
}

}  // namespace
