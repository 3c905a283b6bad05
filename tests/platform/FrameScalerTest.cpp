#include "platform/FrameScaler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

// A frame whose every pixel differs from every other: where a pixel lands tells which it was.
std::vector<std::uint32_t> NumberedFrame(int width, int height) {
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = kBlack | static_cast<std::uint32_t>(i + 1);
    }
    return frame;
}

// The target, pitch wider than its width, with the padding marked so that a write past a row's
// end shows.
struct Target {
    int width;
    int height;
    int pitch;
    std::vector<std::uint32_t> pixels;

    Target(int w, int h) : width(w), height(h), pitch(w + 3), pixels(static_cast<std::size_t>(pitch) * h, 0xDEADBEEFu) {}
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * pitch + x]; }
    bool PaddingUntouched() const {
        for (int y = 0; y < height; ++y) {
            for (int x = width; x < pitch; ++x) {
                if (At(x, y) != 0xDEADBEEFu) {
                    return false;
                }
            }
        }
        return true;
    }
};

// At every whole-number scale a window pixel shows the frame pixel scale times smaller, the
// same picture the display's nearest-neighbour scaling gives; for a frame width of a whole number
// of eight-pixel groups and one with some left over.
TEST(FrameScaler, AWholeNumberScaleRepeatsEveryFramePixelIntoASquare) {
    for (const int frameWidth : {64, 61}) {
        const int frameHeight = frameWidth * 3 / 4;
        const std::vector<std::uint32_t> frame = NumberedFrame(frameWidth, frameHeight);
        platform::FrameScaler scaler;
        for (int scale = 1; scale <= 7; ++scale) {
            Target target(frameWidth * scale, frameHeight * scale);
            scaler.Scale(frame.data(), frameWidth, frameHeight, target.pixels.data(), target.width, target.height,
                         target.pitch);
            for (int y = 0; y < target.height; ++y) {
                for (int x = 0; x < target.width; ++x) {
                    ASSERT_EQ(target.At(x, y), frame[static_cast<std::size_t>(y / scale) * frameWidth + x / scale])
                        << frameWidth << " wide, scale " << scale << " at " << x << ", " << y;
                }
            }
            EXPECT_TRUE(target.PaddingUntouched()) << frameWidth << " wide, scale " << scale;
        }
    }
}

// Full screen on a desktop of another shape: the picture fills the height or the width, bars of
// black beside it, and each pixel shows the frame pixel the cursor there would point at.
TEST(FrameScaler, AnyOtherSizeShowsTheFramePixelUnderEachWindowPixelBetweenBlackBars) {
    constexpr int kW = 64;
    constexpr int kH = 48;
    const std::vector<std::uint32_t> frame = NumberedFrame(kW, kH);
    platform::FrameScaler scaler;
    const int sizes[][2] = {{100, 48}, {64, 100}, {101, 77}, {160, 90}, {63, 47}, {1, 1}, {128, 96}, {64, 48}};
    for (const auto& size : sizes) {
        Target target(size[0], size[1]);
        scaler.Scale(frame.data(), kW, kH, target.pixels.data(), target.width, target.height, target.pitch);
        const platform::FrameView view = platform::FitFrame(target.width, target.height, kW, kH);
        for (int y = 0; y < target.height; ++y) {
            for (int x = 0; x < target.width; ++x) {
                const bool inside = x >= view.x && x < view.x + view.width && y >= view.y && y < view.y + view.height;
                std::uint32_t expected = kBlack;
                if (inside) {
                    int fx = 0;
                    int fy = 0;
                    view.WindowToFrame(x, y, kW, kH, fx, fy);
                    expected = frame[static_cast<std::size_t>(fy) * kW + fx];
                }
                ASSERT_EQ(target.At(x, y), expected) << size[0] << " x " << size[1] << " at " << x << ", " << y;
            }
        }
        EXPECT_TRUE(target.PaddingUntouched()) << size[0] << " x " << size[1];
    }
}

}  // namespace
