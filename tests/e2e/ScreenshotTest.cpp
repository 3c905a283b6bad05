#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "gfx/PngCodec.h"
#include "support/RecordedFrame.h"
#include "support/RunGame.h"
#include "support/TempDir.h"
#include "support/TestPacks.h"

namespace {

namespace fs = std::filesystem;

TEST(Screenshot, AHeadlessRunWritesTheFrameItPresentedAsAFullSizePng) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    const std::string shot = (dir.Path() / "f.png").string();
    ASSERT_EQ(RunGameBinary("--headless --frames 10 --screenshot 5:'" + shot + "' --data '" + dir.Path().string() + "'"),
              0);
    const std::string bytes = ReadWholeFile(shot);
    gfx::Image image;
    ASSERT_TRUE(gfx::DecodePng(bytes.data(), bytes.size(), image));
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    EXPECT_TRUE(std::all_of(image.argb.begin(), image.argb.end(), [](std::uint32_t c) { return c >> 24 == 0xFF; }));
}

TEST(Screenshot, AScreenshotThatCannotBeTakenFailsTheRun) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    const std::string errors = (dir.Path() / "stderr.txt").string();
    const std::string data = " --data '" + dir.Path().string() + "'";
    EXPECT_EQ(RunGameBinary("--headless --frames 3 --screenshot 7:'" + (dir.Path() / "late.png").string() + "'" + data,
                            errors),
              1);
    EXPECT_NE(ReadWholeFile(errors).find("late.png"), std::string::npos);
    EXPECT_EQ(RunGameBinary("--headless --frames 3 --screenshot 1:/no/such/folder/f.png" + data, errors), 1);
    EXPECT_NE(ReadWholeFile(errors).find("/no/such/folder/f.png"), std::string::npos);
}

// The recording of a frame, replayed on a fresh device, draws what the run presented.
TEST(Screenshot, ARecordedFrameReplaysToTheScreenshotOfTheSameFrame) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));
    const std::string shot = (dir.Path() / "f.png").string();
    const std::string recorded = (dir.Path() / "f.frame").string();
    ASSERT_EQ(RunGameBinary("--headless --frames 10 --seed 3 --screenshot 8:'" + shot + "' --record-frame 8:'" +
                            recorded + "' --data '" + dir.Path().string() + "'"),
              0);
    std::string error;
    EXPECT_TRUE(ReplaysToScreenshot(recorded, shot, error)) << error;

    const std::string errors = (dir.Path() / "stderr.txt").string();
    EXPECT_EQ(RunGameBinary("--headless --record-frame 0:'" + recorded + "'", errors), 2);
    EXPECT_EQ(RunGameBinary("--headless --record-frame 8", errors), 2);
    EXPECT_EQ(RunGameBinary("--headless --frames 3 --record-frame 5:'" + recorded + "' --data '" +
                            dir.Path().string() + "'", errors),
              1);
    EXPECT_NE(ReadWholeFile(errors).find("f.frame"), std::string::npos);
}

// "last" records the run's last frame when the run knows it ahead: with --frames N, frame N. A run
// that ends otherwise (its window closed) cannot tell, and fails rather than record another.
TEST(Screenshot, TheLastFrameIsRecordedWhenTheRunKnowsItsEndAheadAndFailsTheRunOtherwise) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));
    const std::string data = " --data '" + dir.Path().string() + "'";
    const fs::path numbered = dir.Path() / "numbered.frame";
    const fs::path last = dir.Path() / "last.frame";
    ASSERT_EQ(RunGameBinary("--headless --frames 9 --seed 3 --record-frame 9:'" + numbered.string() + "'" + data), 0);
    ASSERT_EQ(RunGameBinary("--headless --frames 9 --seed 3 --record-frame last:'" + last.string() + "'" + data), 0);
    EXPECT_EQ(ReadWholeFile(last.string()), ReadWholeFile(numbered.string()));

    const fs::path script = dir.Path() / "close.txt";
    std::FILE* file = std::fopen(script.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("6 close\n", file);
    std::fclose(file);
    const fs::path unknown = dir.Path() / "unknown.frame";
    const std::string errors = (dir.Path() / "stderr.txt").string();
    EXPECT_EQ(RunGameBinary("--headless --input '" + script.string() + "' --record-frame last:'" + unknown.string() +
                                "'" + data,
                            errors),
              1);
    EXPECT_NE(ReadWholeFile(errors).find("unknown.frame"), std::string::npos) << ReadWholeFile(errors);
    EXPECT_FALSE(fs::exists(unknown));
}

}  // namespace
