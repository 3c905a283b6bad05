#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gfx/FrameRecording.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "support/RunGame.h"
#include "support/TempDir.h"
#include "support/TestPacks.h"

namespace {

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
    gfx::FrameRecording recording;
    std::string error;
    ASSERT_TRUE(recording.Load(recorded, error)) << error;
    gfx::SoftwareDevice device(nullptr);
    recording.Play(device, recording.MakeTextures(device));
    const std::string bytes = ReadWholeFile(shot);
    gfx::Image image;
    ASSERT_TRUE(gfx::DecodePng(bytes.data(), bytes.size(), image));
    EXPECT_TRUE(std::equal(image.argb.begin(), image.argb.end(), device.Frame()));

    const std::string errors = (dir.Path() / "stderr.txt").string();
    EXPECT_EQ(RunGameBinary("--headless --record-frame 0:'" + recorded + "'", errors), 2);
    EXPECT_EQ(RunGameBinary("--headless --record-frame 8", errors), 2);
    EXPECT_EQ(RunGameBinary("--headless --frames 3 --record-frame 5:'" + recorded + "' --data '" +
                            dir.Path().string() + "'", errors),
              1);
    EXPECT_NE(ReadWholeFile(errors).find("f.frame"), std::string::npos);
}

}  // namespace
