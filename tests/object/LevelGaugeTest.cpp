#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Language.h"
#include "object/LevelGauge.h"
#include "support/RecordingDevice.h"
#include "support/TempDir.h"

namespace {

class LevelGaugeTest : public ::testing::Test {
protected:
    void SetUp() override {
        LevelGaugeShared& shared = LevelGaugeShared::Get();
        shared.frameTexture = &frameSheet;
        shared.colourTexture = &colourSheet;
        shared.nameTexture = &nameSheet;
        shared.namesIn = language::Generation();
        gauge.Init(&device, 76, 454.0f);
    }
    void TearDown() override { LevelGaugeShared::Get() = LevelGaugeShared{}; }

    int DrawnBoxes() const {
        int boxes = 0;
        for (const RecordingDevice::Draw& draw : device.draws) {
            boxes += draw.texture == &frameSheet;
        }
        return boxes;
    }
    const RecordingDevice::Draw* FindDraw(const gfx::Texture* texture, int nth) const {
        for (const RecordingDevice::Draw& draw : device.draws) {
            if (draw.texture == texture && nth-- == 0) {
                return &draw;
            }
        }
        return nullptr;
    }

    ScopedTempDir folder;  // for "log.txt"
    RecordingDevice device;
    gfx::Texture frameSheet{64, 32};
    gfx::Texture colourSheet{256, 128};
    gfx::Texture nameSheet{256, 128};
    LevelGauge gauge;
};

TEST_F(LevelGaugeTest, OnlyBoxesFromMinusSixtyToFourEightyAreDrawn) {
    gauge.AddWave(1, 0, 0);
    gauge.AddWave(2, 0, 0);
    LevelGaugeShared::Get().scrollX = -61;
    gauge.Draw(0);
    EXPECT_EQ(DrawnBoxes(), 1);
    device.draws.clear();
    LevelGaugeShared::Get().scrollX = -60;
    gauge.Draw(0);
    EXPECT_EQ(DrawnBoxes(), 2);
    // Layer order: colour icon, number, name icon, frame; all crisp, filters restored after.
    EXPECT_EQ(device.draws[0].texture, &colourSheet);
    EXPECT_EQ(device.draws[2].texture, &nameSheet);
    EXPECT_EQ(device.draws[3].texture, &frameSheet);
    EXPECT_EQ(device.draws[3].minFilter, gfx::TEXF_POINT);
    EXPECT_EQ(device.Sampler(gfx::SamplerState::MinFilter), gfx::TEXF_LINEAR);
}

TEST_F(LevelGaugeTest, TwoDigitWaveNumbersStandTogetherCentredInTheirBox) {
    for (int i = 0; i < 10; ++i) {
        gauge.AddWave(1, 0, 0);
    }
    LevelGaugeShared::Get().scrollX = -400;  // boxes 6 to 9 at -28, 34, 96 and 158
    gauge.Draw(0);
    // The digits are the draws on none of the box's three sheets (the digit sheet is whatever the
    // registry holds, nothing or the real one an earlier test in the process loaded).
    std::vector<const RecordingDevice::Draw*> digits;
    for (const RecordingDevice::Draw& draw : device.draws) {
        if (draw.texture != &frameSheet && draw.texture != &colourSheet && draw.texture != &nameSheet) {
            digits.push_back(&draw);
        }
    }
    ASSERT_EQ(digits.size(), 5u);  // "7", "8", "9", then "1" "0"
    digits.erase(digits.begin(), digits.begin() + 2);
    EXPECT_FLOAT_EQ(digits[0]->vertices[0].x, 96.0f - 15.0f);
    // The sheet's digits are narrow in their 30-pixel cells: centres 11 apart read as one number,
    // and the pair's middle is the box's.
    const float first = digits[1]->vertices[0].x + 15.0f;
    const float second = digits[2]->vertices[0].x + 15.0f;
    EXPECT_FLOAT_EQ(second - first, 11.0f);
    EXPECT_FLOAT_EQ(0.5f * (first + second), 158.0f);
    EXPECT_EQ(digits[0]->vertices[0].diffuse, 0xFFDC7A00u);
}

// The frames in which waves start over a run of the gauge, advanced by drawing it or alone.
std::vector<int> StartFrames(LevelGauge& gauge, bool drawn) {
    for (const int kind : {1, 22, 3, 13}) {
        gauge.AddWave(kind, 100, 1);
    }
    gauge.SetFramesPerStep(2);
    gauge.stopped = 0;
    std::vector<int> starts;
    for (int frame = 0; frame < 600; ++frame) {
        if (drawn) {
            gauge.Draw(1);
        } else {
            gauge.Advance();
        }
        if (gauge.TakeWaveStart() != 0) {
            starts.push_back(frame);
        }
    }
    return starts;
}

TEST_F(LevelGaugeTest, WavesStartOnTheSameFramesWhetherOrNotTheGaugeIsDrawn) {
    const std::vector<int> drawn = StartFrames(gauge, true);
    EXPECT_EQ(drawn.size(), 4u);
    EXPECT_GT(DrawnBoxes(), 0);

    LevelGauge undrawn;
    undrawn.Init(nullptr, 76, 454.0f);
    EXPECT_EQ(StartFrames(undrawn, false), drawn);
}

TEST_F(LevelGaugeTest, EachMarkStartsItsWaveOnce) {
    gauge.AddWave(5, 100, 7);
    gauge.AddWave(22, 200, 8);
    gauge.AddWave(3, 300, 9);
    gauge.Draw(1);  // stopped: no movement yet
    EXPECT_EQ(gauge.TakeWaveStart(), 5);
    EXPECT_EQ(gauge.TakeWaveStart(), 0);
    EXPECT_EQ(gauge.CurrentWaveHealth(), 100);

    gauge.SetFramesPerStep(0);
    gauge.stopped = 0;
    int starts = 0;
    int started = 0;
    for (int frame = 0; frame < 62; ++frame) {
        gauge.Draw(1);
        if (const int kind = gauge.TakeWaveStart()) {
            ++starts;
            started = kind;
        }
    }
    EXPECT_EQ(LevelGaugeShared::Get().scrollX, 14);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(started, 22);
    EXPECT_EQ(gauge.WaveNumber(), 2);
    EXPECT_EQ(gauge.CurrentWaveReward(), 8);
    EXPECT_FALSE(gauge.AllStarted());
}

TEST_F(LevelGaugeTest, SkippingJumpsToTheNextMarkWithABonus) {
    gauge.AddWave(1, 0, 0);
    gauge.AddWave(2, 0, 0);
    gauge.Draw(1);
    gauge.TakeWaveStart();
    LevelGaugeShared::Get().scrollX = 66;  // ten steps past the first mark
    EXPECT_EQ(gauge.SkipToNextWave(), 51);
    EXPECT_EQ(LevelGaugeShared::Get().scrollX, 14);
    gauge.Draw(1);
    EXPECT_EQ(gauge.TakeWaveStart(), 2);
    EXPECT_TRUE(gauge.AllStarted());
    EXPECT_EQ(gauge.SkipToNextWave(), 0);  // the last wave
    EXPECT_EQ(LevelGaugeShared::Get().scrollX, 14);
    // Right on a mark the bonus is capped.
    LevelGaugeShared::Get().currentWave = 0;
    LevelGaugeShared::Get().scrollX = 76;
    EXPECT_EQ(gauge.SkipToNextWave(), 60);
}

TEST_F(LevelGaugeTest, IconCellsFollowTheKindAndBadKindsAreLoggedOnce) {
    gauge.AddWave(22, 0, 0);
    gauge.AddWave(40, 0, 0);
    LevelGaugeShared::Get().scrollX = 100;
    gauge.Draw(0);
    gauge.Draw(0);
    const RecordingDevice::Draw* bigColour = FindDraw(&colourSheet, 0);
    const RecordingDevice::Draw* bigName = FindDraw(&nameSheet, 0);
    const RecordingDevice::Draw* badColour = FindDraw(&colourSheet, 1);
    ASSERT_TRUE(bigColour && bigName && badColour);
    EXPECT_FLOAT_EQ(bigColour->vertices[0].u, 0.25f);  // like kind 2
    EXPECT_FLOAT_EQ(bigColour->vertices[0].v, 0.0f);
    EXPECT_FLOAT_EQ(bigName->vertices[0].u, 0.75f);  // the common name cell
    EXPECT_FLOAT_EQ(bigName->vertices[0].v, 0.75f);
    EXPECT_FLOAT_EQ(badColour->vertices[0].u, 0.25f);
    EXPECT_FLOAT_EQ(badColour->vertices[0].v, 0.25f);
    EXPECT_EQ(ReadWholeFile(folder.Path() / "log.txt"), "敵のIDが不正です\n");
}

}  // namespace
