#include "app/FrameTimes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

// The clock the measuring reads: moved by hand, in microseconds.
std::int64_t fakeNow = 0;
std::int64_t FakeClock() { return fakeNow; }

class FrameTimesTest : public ::testing::Test {
protected:
    void SetUp() override { fakeNow = 1'000'000; }
    static void Spend(FrameTimes& times, FramePhase phase, std::int64_t microseconds) {
        times.Enter(phase);
        fakeNow += microseconds;
    }
};

TEST_F(FrameTimesTest, EachRecordSplitsItsIntervalIntoThePhasesItWasSpentIn) {
    FrameTimes times(FakeClock);
    EXPECT_EQ(times.Shown(), 0u);
    EXPECT_EQ(times.RecentRate(), 0.0);
    EXPECT_EQ(times.RecentSlowestMs(), 0.0);

    Spend(times, FramePhase::Waiting, 12'000);
    Spend(times, FramePhase::Input, 250);
    Spend(times, FramePhase::Simulation, 1'500);
    Spend(times, FramePhase::Drawing, 2'000);
    Spend(times, FramePhase::Present, 750);
    // Entering the phase one is in changes nothing.
    Spend(times, FramePhase::Present, 500);
    times.Presented();

    const FrameTiming& first = times.Last();
    EXPECT_DOUBLE_EQ(first.intervalMs, 17.0);
    EXPECT_DOUBLE_EQ(first.Phase(FramePhase::Waiting), 12.0);
    EXPECT_DOUBLE_EQ(first.Phase(FramePhase::Input), 0.25);
    EXPECT_DOUBLE_EQ(first.Phase(FramePhase::Simulation), 1.5);
    EXPECT_DOUBLE_EQ(first.Phase(FramePhase::Drawing), 2.0);
    EXPECT_DOUBLE_EQ(first.Phase(FramePhase::Present), 1.25);

    // The next record starts in the phase the last one ended in, from zero.
    fakeNow += 300;
    Spend(times, FramePhase::Waiting, 15'700);
    times.Presented();
    const FrameTiming& second = times.Last();
    EXPECT_DOUBLE_EQ(second.intervalMs, 16.0);
    EXPECT_DOUBLE_EQ(second.Phase(FramePhase::Present), 0.3);
    EXPECT_DOUBLE_EQ(second.Phase(FramePhase::Waiting), 15.7);
    EXPECT_DOUBLE_EQ(second.Phase(FramePhase::Drawing), 0.0);
    EXPECT_EQ(times.Shown(), 2u);
}

TEST_F(FrameTimesTest, TheRecentFiguresCoverTheLastSecondOfFramesOnly) {
    FrameTimes times(FakeClock);
    // One slow frame, then more than a second's worth of even ones push it out.
    fakeNow += 40'000;
    times.Presented();
    EXPECT_DOUBLE_EQ(times.RecentSlowestMs(), 40.0);
    EXPECT_DOUBLE_EQ(times.RecentRate(), 25.0);
    for (std::size_t i = 0; i < FrameTimes::kRecentFrames - 1; ++i) {
        fakeNow += 16'000;
        times.Presented();
    }
    EXPECT_DOUBLE_EQ(times.RecentSlowestMs(), 40.0);
    fakeNow += 20'000;
    times.Presented();
    EXPECT_DOUBLE_EQ(times.RecentSlowestMs(), 20.0);
    const double expectedRate = 60.0 * 1000.0 / (59 * 16.0 + 20.0);
    EXPECT_NEAR(times.RecentRate(), expectedRate, 1e-9);
}

TEST(FrameTimesLog, WritesAHeaderALinePerFrameAndTheProcessorTime) {
    ScopedTempDir dir;
    const std::string path = (dir.Path() / "times.txt").string();
    FrameTimesLog log;
    std::string error;
    ASSERT_TRUE(log.Open(path, error)) << error;
    FrameTiming timing;
    timing.intervalMs = 16.5;
    timing.phaseMs = {0.25, 1.5, 2.0, 0.75, 12.0};
    log.Write(7, timing);
    log.Write(8, timing);
    ASSERT_TRUE(log.Close(3.25));
    EXPECT_FALSE(log.IsOpen());

    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "# frame interval input simulation drawing present waiting (milliseconds)");
    EXPECT_EQ(lines[1], "7 16.500 0.250 1.500 2.000 0.750 12.000");
    EXPECT_EQ(lines[2], "8 16.500 0.250 1.500 2.000 0.750 12.000");
    EXPECT_EQ(lines[3], "# processor time 3.25 s");
}

TEST(FrameTimesLog, AFileThatCannotBeMadeIsRefusedWithItsReason) {
    ScopedTempDir dir;
    FrameTimesLog log;
    std::string error;
    EXPECT_FALSE(log.Open((dir.Path() / "no-such-folder" / "times.txt").string(), error));
    EXPECT_NE(error.find("no-such-folder"), std::string::npos) << error;
    EXPECT_FALSE(log.IsOpen());
}

}  // namespace
