#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/HeadlessRuns.h"

namespace {

namespace fs = std::filesystem;

class FrameTimesRun : public HeadlessRuns {};

// One line per shown frame, in order, each splitting its interval into the five phases; the
// processor time closes the file.
TEST_F(FrameTimesRun, EveryShownFrameGetsALineWhosePhasesAddUpToItsInterval) {
    const fs::path data = DataFolder("lines");
    const fs::path log = data / "times.txt";
    const Run run = Play(data, "--frame-times '" + log.string() + "'", "", "120");
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::ifstream file(log);
    std::string line;
    ASSERT_TRUE(std::getline(file, line));
    EXPECT_EQ(line, "# frame interval input simulation drawing present waiting (milliseconds)");
    std::vector<unsigned> frames;
    std::string last;
    while (std::getline(file, line)) {
        last = line;
        if (line.rfind('#', 0) == 0) {
            continue;
        }
        std::istringstream fields(line);
        unsigned frame = 0;
        double interval = 0.0;
        double phases[5] = {};
        ASSERT_TRUE(fields >> frame >> interval >> phases[0] >> phases[1] >> phases[2] >> phases[3] >> phases[4])
            << line;
        std::string rest;
        EXPECT_FALSE(fields >> rest) << line;
        double sum = 0.0;
        for (const double phase : phases) {
            EXPECT_GE(phase, 0.0) << line;
            sum += phase;
        }
        EXPECT_NEAR(sum, interval, 0.005) << line;
        frames.push_back(frame);
    }
    ASSERT_EQ(frames.size(), 120u);
    for (unsigned i = 0; i < frames.size(); ++i) {
        ASSERT_EQ(frames[i], i + 1);
    }
    EXPECT_EQ(last.rfind("# processor time ", 0), 0u) << last;
}

TEST_F(FrameTimesRun, AFileThatCannotBeWrittenEndsTheRunBeforeItStarts) {
    const fs::path data = DataFolder("unwritable");
    const Run run = Play(data, "--frame-times '" + (data / "missing" / "times.txt").string() + "'", "", "10");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("velmoria: cannot write"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(data / "log.txt"));
}

// F3 shows the sign at the top of the frame and changes nothing else; F3 again hides it.
TEST_F(FrameTimesRun, F3ShowsTheFrameRateSignAtTheTopAndHidesItAgain) {
    const fs::path plain = DataFolder("plain");
    ASSERT_EQ(Play(plain, "--screenshot '50:" + (plain / "50.png").string() + "' --screenshot '100:" +
                              (plain / "100.png").string() + "'",
                   "", "100")
                  .exitCode,
              0);
    const fs::path signed_ = DataFolder("signed");
    const std::string script = "10 key F3\n60 key F3\n";
    const Run run = Play(signed_,
                         "--screenshot '50:" + (signed_ / "50.png").string() + "' --screenshot '100:" +
                             (signed_ / "100.png").string() + "'",
                         script, "100");
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::vector<std::uint32_t> before = Pixels(plain / "50.png");
    const std::vector<std::uint32_t> shown = Pixels(signed_ / "50.png");
    ASSERT_EQ(before.size(), 640u * 480u);
    ASSERT_EQ(shown.size(), before.size());
    int changed = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * 640 + x;
            if (before[i] != shown[i]) {
                ++changed;
                ASSERT_TRUE(y < 20 && x >= 78 && x < 276) << "changed outside the sign at " << x << ", " << y;
            }
        }
    }
    EXPECT_GT(changed, 50);
    EXPECT_EQ(Pixels(plain / "100.png"), Pixels(signed_ / "100.png"));
}

}  // namespace
