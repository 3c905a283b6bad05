#include "app/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/GameFolders.h"
#include "platform/QuitMessage.h"
#include "support/Environment.h"
#include "support/TempDir.h"

namespace {

// A clock that moves only when the test moves it. The passes of the loop must never sleep: the
// caller owns the thread's time.
class StillClock final : public platform::Clock {
public:
    std::uint32_t NowMs() override { return now; }
    void SleepMs(std::uint32_t ms) override {
        ADD_FAILURE() << "a pass of the loop slept " << ms << " ms";
        now += ms;
    }
    std::uint32_t now = 5000;
};

// A run of the shell alone, without scenes, sound or packs, in a folder of its own; frame F's
// screenshot shows which frames have run.
class GameRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearQuit();
        SetFolders({dir.Path(), dir.Path()});
        options.display = LaunchOptions::Display::Headless;
    }
    void TearDown() override {
        platform::ClearQuit();
        SetFolders({});
    }

    void ShootFrames(std::uint32_t last) {
        for (std::uint32_t frame = 1; frame <= last; ++frame) {
            options.screenshots.push_back({frame, Shot(frame).string()});
        }
    }
    std::filesystem::path Shot(std::uint32_t frame) const { return dir.Path() / (std::to_string(frame) + ".png"); }
    bool FrameRan(std::uint32_t frame) const { return std::filesystem::exists(Shot(frame)); }
    static void ExpectEnded(const LoopPass& pass, int exitCode) {
        EXPECT_EQ(pass.outcome, LoopPass::Outcome::Ended);
        EXPECT_EQ(pass.exitCode, exitCode);
    }

    ScopedTempDir dir;
    LaunchOptions options;
    input::InputScript script;
    GameParts parts;
    StillClock clock;
};

TEST_F(GameRunTest, AFrameLimitEndsTheRunOnThePassOfItsLastFrame) {
    options.frames = 4;
    ShootFrames(4);
    GameRun run(options, script, parts, nullptr, clock);
    ASSERT_TRUE(run.Open().GoesOn());
    for (std::uint32_t frame = 1; frame <= 3; ++frame) {
        const LoopPass pass = run.Step();
        ASSERT_TRUE(pass.GoesOn()) << "frame " << frame;
        // Headless runs go as fast as they can: nothing to wait for between passes.
        EXPECT_EQ(pass.pauseMs, 0u);
        EXPECT_TRUE(FrameRan(frame));
        EXPECT_FALSE(FrameRan(frame + 1));
    }
    const LoopPass last = run.Step();
    ExpectEnded(last, 0);
    EXPECT_TRUE(FrameRan(4));
    EXPECT_EQ(run.Close(last), 0);
}

TEST_F(GameRunTest, AQuitEndsTheRunAtTheNextPassWithItsCode) {
    ShootFrames(3);
    GameRun run(options, script, parts, nullptr, clock);
    ASSERT_TRUE(run.Open().GoesOn());
    ASSERT_TRUE(run.Step().GoesOn());
    platform::PostQuit(7);
    const LoopPass pass = run.Step();
    ExpectEnded(pass, 7);
    EXPECT_FALSE(FrameRan(2));
    // The frames asked for and never reached do not hide the quit's own code.
    EXPECT_EQ(run.Close(pass), 7);
}

// A script's close is the window's close: the frame it comes in does not run, and the run
// ends with 0 (the screenshots asked for beyond it then fail the run).
TEST_F(GameRunTest, AScriptsCloseEndsTheRunBeforeItsFrame) {
    ShootFrames(3);
    std::string error;
    ASSERT_TRUE(script.Parse("3 close\n", error)) << error;
    GameRun run(options, script, parts, nullptr, clock);
    LoopPass pass = run.Open();
    int passes = 0;
    while (pass.GoesOn() && passes < 10) {
        pass = run.Step();
        ++passes;
    }
    ExpectEnded(pass, 0);
    EXPECT_TRUE(FrameRan(2));
    EXPECT_FALSE(FrameRan(3));
    EXPECT_EQ(run.Close(pass), 1);
}

TEST_F(GameRunTest, ARunThatCannotStartEndsAtOpen) {
    options.frameTimes = (dir.Path() / "no" / "such" / "folder" / "times.txt").string();
    GameRun run(options, script, parts, nullptr, clock);
    const LoopPass pass = run.Open();
    ExpectEnded(pass, 2);
    EXPECT_EQ(run.Close(pass), 2);
}

// A platform that owns the frames wakes the run once a frame; a run that never pauses gives the
// thread back after a few passes instead of holding the page for the whole run.
TEST_F(GameRunTest, AWakeOfARunThatNeverPausesRunsAFewPasses) {
    options.frames = 10;
    ShootFrames(10);
    GameRun run(options, script, parts, nullptr, clock);
    ASSERT_TRUE(run.Open().GoesOn());
    ASSERT_TRUE(run.Wake().GoesOn());
    EXPECT_TRUE(FrameRan(4));
    EXPECT_FALSE(FrameRan(5));
    ASSERT_TRUE(run.Wake().GoesOn());
    EXPECT_TRUE(FrameRan(8));
    EXPECT_FALSE(FrameRan(9));
    // The run ends inside a wake, on the pass of its last frame.
    const LoopPass last = run.Wake();
    ExpectEnded(last, 0);
    EXPECT_TRUE(FrameRan(10));
    EXPECT_EQ(run.Close(last), 0);
}

TEST_F(GameRunTest, AStartedLoopReportsTheClosedRunsCodeOnce) {
    options.frames = 3;
    ShootFrames(4);  // the fourth is never reached, which fails the run
    std::vector<int> codes;
    StartGameLoop(options, script, parts, nullptr, clock, [&](int code) { codes.push_back(code); });
    EXPECT_TRUE(FrameRan(3));
    EXPECT_EQ(codes, std::vector<int>{1});
}

TEST_F(GameRunTest, AStartedLoopReportsARunThatCannotStart) {
    options.frameTimes = (dir.Path() / "no" / "such" / "folder" / "times.txt").string();
    std::vector<int> codes;
    StartGameLoop(options, script, parts, nullptr, clock, [&](int code) { codes.push_back(code); });
    EXPECT_EQ(codes, std::vector<int>{2});
}

// A window of SDL's dummy video driver: the passes pace the frames as on the desktop, but the
// waiting is the caller's, as it is when the platform calls the game once per display frame.
class GameRunWindowTest : public GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        driver_.emplace("SDL_VIDEODRIVER", "dummy");
        options.display = LaunchOptions::Display::Window;
        options.scale = 1;
    }
    void TearDown() override {
        driver_.reset();
        GameRunTest::TearDown();
    }

    // Passes until one asks for a pause other than the breath after an event; that pause.
    static std::uint32_t PauseBeyondEvents(GameRun& run) {
        for (int pass = 0; pass < 100; ++pass) {
            const LoopPass result = run.Step();
            EXPECT_TRUE(result.GoesOn());
            if (result.pauseMs != LoopPass::kBreathMs) {
                return result.pauseMs;
            }
        }
        ADD_FAILURE() << "the window's events never let the pass reach the frame's beat";
        return 0;
    }

private:
    std::optional<ScopedEnvironment> driver_;
};

TEST_F(GameRunWindowTest, AFrameWaitsForItsBeatAndThePassesNeverSleep) {
    options.frames = 2;
    ShootFrames(2);
    GameRun run(options, script, parts, nullptr, clock);
    LoopPass pass = run.Open();
    ASSERT_TRUE(pass.GoesOn());
    // The clock stands still since the start-up: the whole period is left, however often the
    // platform calls.
    EXPECT_EQ(PauseBeyondEvents(run), 16u);
    EXPECT_EQ(PauseBeyondEvents(run), 16u);
    clock.now += 10;
    EXPECT_EQ(PauseBeyondEvents(run), 6u);
    EXPECT_FALSE(FrameRan(1));
    clock.now += 6;
    pass = run.Step();
    ASSERT_TRUE(pass.GoesOn());
    EXPECT_TRUE(FrameRan(1));
    // After a frame the desktop breathes; the next frame is a whole period away.
    EXPECT_EQ(pass.pauseMs, LoopPass::kBreathMs);
    EXPECT_EQ(PauseBeyondEvents(run), 16u);
    EXPECT_FALSE(FrameRan(2));
    // A late caller gets its frame at once: the time lost is not made up.
    clock.now += 40;
    pass = run.Step();
    EXPECT_TRUE(FrameRan(2));
    ExpectEnded(pass, 0);
    EXPECT_EQ(run.Close(pass), 0);
}

// A page's frame callback comes about once a display frame, early or late: each wake draws at
// most one frame, and one not yet due waits for a later wake.
TEST_F(GameRunWindowTest, AWakeDrawsAtMostOneFrameAndOnlyWhenItIsDue) {
    options.frames = 4;
    ShootFrames(4);
    GameRun run(options, script, parts, nullptr, clock, FramePacer::Beats::Display);
    ASSERT_TRUE(run.Open().GoesOn());
    LoopPass pass = run.Wake();
    ASSERT_TRUE(pass.GoesOn());
    EXPECT_GT(pass.pauseMs, 0u);
    EXPECT_FALSE(FrameRan(1));
    clock.now += 16;
    ASSERT_TRUE(run.Wake().GoesOn());
    EXPECT_TRUE(FrameRan(1));
    EXPECT_FALSE(FrameRan(2));
    // A display frame a little early is taken; the next is still due a period after this one was.
    clock.now += 16 - FramePacer::kDisplayLeadMs;
    ASSERT_TRUE(run.Wake().GoesOn());
    EXPECT_TRUE(FrameRan(2));
    clock.now += 4;
    ASSERT_TRUE(run.Wake().GoesOn());
    EXPECT_FALSE(FrameRan(3));
    // Woken late, the run draws the one frame due, not the ones it missed.
    clock.now += 100;
    ASSERT_TRUE(run.Wake().GoesOn());
    EXPECT_TRUE(FrameRan(3));
    EXPECT_FALSE(FrameRan(4));
    clock.now += 16;
    pass = run.Wake();
    ExpectEnded(pass, 0);
    EXPECT_EQ(run.Close(pass), 0);
}

}  // namespace
