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

}  // namespace
