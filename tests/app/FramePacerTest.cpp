#include "app/FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A clock that moves only when told to, or by the sleeps it is asked for.
class FakeClock final : public platform::Clock {
public:
    std::uint32_t NowMs() override { return now; }
    void SleepMs(std::uint32_t ms) override {
        sleeps.push_back(ms);
        now += ms;
    }
    std::uint32_t now = 1000;
    std::vector<std::uint32_t> sleeps;
};

TEST(FramePacer, SleepsOutTheRestOfASixtiethOfASecond) {
    FakeClock clock;
    FramePacer pacer(clock);
    pacer.SetRate(60);
    EXPECT_EQ(pacer.Period(), 16u);
    clock.now += 5;
    pacer.Wait();
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{11});
}

TEST(FramePacer, ALongFrameIsFollowedAtOnceWithoutASleep) {
    FakeClock clock;
    FramePacer pacer(clock);
    pacer.SetRate(60);
    pacer.Wait();
    clock.sleeps.clear();
    clock.now += 30;
    pacer.Wait();
    EXPECT_TRUE(clock.sleeps.empty());
    // The late frame is not made up: the next short frame waits a whole period again.
    clock.now += 2;
    pacer.Wait();
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{14});
}

TEST(FramePacer, HeadlessPacerNeverSleeps) {
    FakeClock clock;
    FramePacer pacer(clock, false);
    pacer.SetRate(60);
    pacer.Wait();
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST(FramePacer, ClockWrapAroundStillMeasuresElapsedTime) {
    FakeClock clock;
    clock.now = 0xFFFFFFF0u;
    FramePacer pacer(clock);
    pacer.SetRate(60);
    clock.now += 20;  // wraps past zero: 20 ms elapsed
    pacer.Wait();
    EXPECT_TRUE(clock.sleeps.empty());
}

// The main loop's events may not hold back a frame that is due: due means Wait would not sleep.
TEST(FramePacer, AFrameIsDueOnceAWholePeriodHasPassedSinceTheLastWait) {
    FakeClock clock;
    FramePacer pacer(clock);
    pacer.SetRate(60);
    pacer.Wait();
    EXPECT_FALSE(pacer.Due());
    clock.now += 15;
    EXPECT_FALSE(pacer.Due());
    clock.now += 1;
    EXPECT_TRUE(pacer.Due());
    clock.sleeps.clear();
    pacer.Wait();
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_FALSE(pacer.Due());
}

// The wait told, not slept: a caller that owns the thread's time waits it out itself.
TEST(FramePacer, RemainingIsTheWaitLeftUntilTheBeatAndNoneWithoutSleeps) {
    FakeClock clock;
    FramePacer pacer(clock);
    pacer.SetRate(60);
    pacer.Beat();
    EXPECT_EQ(pacer.Remaining(), 16u);
    clock.now += 10;
    EXPECT_EQ(pacer.Remaining(), 6u);
    clock.now += 30;
    EXPECT_EQ(pacer.Remaining(), 0u);
    pacer.Beat();
    EXPECT_EQ(pacer.Remaining(), 16u);
    EXPECT_TRUE(clock.sleeps.empty());

    FramePacer headless(clock, false);
    headless.SetRate(60);
    headless.Beat();
    EXPECT_EQ(headless.Remaining(), 0u);
    EXPECT_FALSE(headless.Due());
}

// A display that shows a frame every 1000 / hz ms, each a little early or late in turn, to a
// clock of whole milliseconds; the frames a display-paced pacer takes in ten seconds.
int DisplayFramesTaken(double hz, double jitterMs) {
    FakeClock clock;
    FramePacer pacer(clock, true, FramePacer::Beats::Display);
    pacer.SetRate(60);
    pacer.Beat();
    const int shown = static_cast<int>(10 * hz);
    int taken = 0;
    for (int frame = 1; frame <= shown; ++frame) {
        const double at = 1000.0 + frame * 1000.0 / hz + (frame % 3 - 1) * jitterMs;
        clock.now = static_cast<std::uint32_t>(at);
        if (pacer.Due()) {
            EXPECT_EQ(pacer.Remaining(), 0u);
            pacer.Beat();
            ++taken;
        } else {
            EXPECT_GT(pacer.Remaining(), 0u);
        }
    }
    return taken;
}

// At 60 Hz every display frame is a game frame, however its time wanders; faster displays show
// the game at its own rate (a 16 ms period: 62.5 a second), and slower ones at theirs.
TEST(FramePacer, DisplayFramesKeepTheGamesRateOnEveryRefreshRate) {
    EXPECT_EQ(DisplayFramesTaken(60, 0), 600);
    EXPECT_EQ(DisplayFramesTaken(60, 1.5), 600);
    EXPECT_EQ(DisplayFramesTaken(59.94, 1.5), 599);
    EXPECT_EQ(DisplayFramesTaken(50, 1.5), 500);
    for (const double hz : {75.0, 90.0, 120.0, 144.0, 165.0, 240.0}) {
        const int taken = DisplayFramesTaken(hz, 1.0);
        EXPECT_GE(taken, 600) << hz << " Hz";
        EXPECT_LE(taken, 626) << hz << " Hz";
    }
}

// The desktop's own loop keeps its pacing: a frame is due a whole period after the last wait.
TEST(FramePacer, SleptBeatsTakeNoLead) {
    FakeClock clock;
    FramePacer pacer(clock);
    pacer.SetRate(60);
    pacer.Beat();
    clock.now += 16 - FramePacer::kDisplayLeadMs;
    EXPECT_FALSE(pacer.Due());
    EXPECT_EQ(pacer.Remaining(), FramePacer::kDisplayLeadMs);
}

}  // namespace
