#include <gtest/gtest.h>

#include "platform/FrameView.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

// In a window of a whole multiple, every window pixel belongs to exactly the frame pixel it
// shows, along both axes, edges included; one past the picture is one past the frame.
TEST(FrameView, EveryWindowPixelMapsToTheFramePixelItShows) {
    for (int scale = 1; scale <= 6; ++scale) {
        const platform::FrameView view = platform::FitFrame(kW * scale, kH * scale, kW, kH);
        ASSERT_EQ(view.x, 0);
        ASSERT_EQ(view.y, 0);
        ASSERT_EQ(view.width, kW * scale);
        ASSERT_EQ(view.height, kH * scale);
        for (int wx = -scale; wx <= kW * scale; ++wx) {
            int fx = 0;
            int fy = 0;
            view.WindowToFrame(wx, wx * kH / kW, kW, kH, fx, fy);
            ASSERT_EQ(fx, wx >= 0 ? wx / scale : -1) << "scale " << scale << " x " << wx;
        }
    }
    int fx = 0;
    int fy = 0;
    platform::FitFrame(1280, 960, kW, kH).WindowToFrame(641, 481, kW, kH, fx, fy);
    EXPECT_EQ(fx, 320);
    EXPECT_EQ(fy, 240);
}

// Full screen keeps the frame's shape: bars on the long sides, centred, and the bars map outside
// the frame.
TEST(FrameView, FullScreenLetterboxesAndTheBarsLieOutsideTheFrame) {
    struct Desktop {
        int width, height;
        platform::FrameView expected;
    };
    const Desktop desktops[] = {
        {1920, 1080, {240, 0, 1440, 1080}},
        {1280, 1024, {0, 32, 1280, 960}},
        {640, 480, {0, 0, 640, 480}},
        {3840, 2160, {480, 0, 2880, 2160}},
    };
    for (const Desktop& desktop : desktops) {
        const platform::FrameView view = platform::FitFrame(desktop.width, desktop.height, kW, kH);
        EXPECT_EQ(view.x, desktop.expected.x);
        EXPECT_EQ(view.y, desktop.expected.y);
        EXPECT_EQ(view.width, desktop.expected.width);
        EXPECT_EQ(view.height, desktop.expected.height);
        EXPECT_EQ(view.width * kH, view.height * kW);  // the frame's shape
        int fx = 0;
        int fy = 0;
        view.WindowToFrame(view.x - 1, view.y - 1, kW, kH, fx, fy);
        EXPECT_LT(fx, 0);
        EXPECT_LT(fy, 0);
        view.WindowToFrame(view.x + view.width, view.y + view.height, kW, kH, fx, fy);
        EXPECT_EQ(fx, kW);
        EXPECT_EQ(fy, kH);
        view.WindowToFrame(view.x + view.width - 1, view.y + view.height - 1, kW, kH, fx, fy);
        EXPECT_EQ(fx, kW - 1);
        EXPECT_EQ(fy, kH - 1);
    }
}

TEST(FrameView, DraggedSizesSnapToTheNearestWholeMultiple) {
    for (int scale = 1; scale <= 8; ++scale) {
        EXPECT_EQ(platform::SnapScale(kW * scale, kH * scale, kW, kH), scale);
        // Just short of half-way to the next multiple stays, past it moves on; the shorter side
        // decides when the shape is off.
        EXPECT_EQ(platform::SnapScale(kW * scale + kW / 2 - 1, kH * scale + kH / 2 - 1, kW, kH), scale);
        EXPECT_EQ(platform::SnapScale(kW * scale + kW / 2, kH * scale + kH / 2, kW, kH), scale + 1);
        EXPECT_EQ(platform::SnapScale(kW * (scale + 3), kH * scale, kW, kH), scale);
    }
    EXPECT_EQ(platform::SnapScale(10, 10, kW, kH), 1);
    EXPECT_EQ(platform::SnapScale(0, 0, kW, kH), 1);
}

TEST(FrameView, TheFirstWindowFitsTwoThirdsOfTheDesktop) {
    for (int width = 320; width <= 7680; width += 160) {
        for (int height = 240; height <= 4320; height += 120) {
            const int scale = platform::FittingScale(width, height, kW, kH);
            ASSERT_GE(scale, 1);
            if (scale > 1) {
                ASSERT_LE(3 * kW * scale, 2 * width);
                ASSERT_LE(3 * kH * scale, 2 * height);
            }
            ASSERT_TRUE(3 * kW * (scale + 1) > 2 * width || 3 * kH * (scale + 1) > 2 * height);
        }
    }
    EXPECT_EQ(platform::FittingScale(3840, 2160, kW, kH), 3);
    EXPECT_EQ(platform::FittingScale(2560, 1440, kW, kH), 2);
}

}  // namespace
