#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "support/Environment.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

class NoListener final : public platform::WindowEvents {
public:
    void CursorMoved(int, int) override {}
    void ButtonChanged(int, bool) override {}
    void KeyChanged(int, bool) override {}
    void FocusChanged(bool) override {}
};

// SDL's video without a display: its dummy driver has both a software renderer and window pixels
// of its own, so both ways of presenting run here.
class WindowPresent : public ::testing::Test {
protected:
    void SetUp() override {
        driver_.emplace("SDL_VIDEODRIVER", "dummy");
        std::string error;
        ASSERT_TRUE(platform::StartVideo(error)) << error;
    }
    void TearDown() override {
        platform::StopVideo();
        driver_.reset();
    }

    std::unique_ptr<platform::Window> Open(int scale, platform::PresentPath path, bool smooth = false) {
        std::string error;
        auto window = platform::Window::Create({false, scale, smooth, path}, kW, kH, listener_, error);
        EXPECT_NE(window, nullptr) << error;
        return window;
    }

    NoListener listener_;
    std::optional<ScopedEnvironment> driver_;
};

std::vector<std::uint32_t> NumberedFrame() {
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(kW) * kH);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 37 + 5);
    }
    return frame;
}

// Whichever way the picture goes, the window holds the frame's pixels repeated scale x scale.
TEST_F(WindowPresent, TheWindowShowsTheFrameScaledByWholeNumbersOnEveryPath) {
    const std::vector<std::uint32_t> frame = NumberedFrame();
    for (const platform::PresentPath path : {platform::PresentPath::Renderer, platform::PresentPath::WindowSurface}) {
        for (int scale = 1; scale <= 3; ++scale) {
            const auto window = Open(scale, path);
            ASSERT_NE(window, nullptr);
            ASSERT_EQ(window->Path(), path);
            ASSERT_TRUE(window->PrepareFrame(frame.data()));
            ASSERT_TRUE(window->PresentFrame());
            std::vector<std::uint32_t> pixels;
            int width = 0;
            int height = 0;
            ASSERT_TRUE(window->ReadPixels(pixels, width, height));
            ASSERT_EQ(width, kW * scale);
            ASSERT_EQ(height, kH * scale);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t expected = frame[static_cast<std::size_t>(y / scale) * kW + x / scale];
                    ASSERT_EQ(pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFFu, expected & 0xFFFFFFu)
                        << "path " << static_cast<int>(path) << " scale " << scale << " at " << x << ", " << y;
                }
            }
        }
    }
}

// SDL's software renderer draws on the processor: left to itself the window takes its own pixels;
// smooth filtering, which only a renderer does, keeps the renderer whatever was asked.
TEST_F(WindowPresent, ARendererThatDrawsOnTheProcessorGivesWayToTheWindowsOwnPixels) {
    const auto automatic = Open(2, platform::PresentPath::Automatic);
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(automatic->Path(), platform::PresentPath::WindowSurface) << automatic->ReasonDetail();
    EXPECT_EQ(automatic->Reason(), platform::PathReason::DrawnByProcessor);
    EXPECT_EQ(automatic->ReasonDetail(), "software");

    const auto smooth = Open(2, platform::PresentPath::WindowSurface, true);
    ASSERT_NE(smooth, nullptr);
    EXPECT_EQ(smooth->Path(), platform::PresentPath::Renderer);
    EXPECT_EQ(smooth->Reason(), platform::PathReason::Smooth);
}

// A page's canvas follows the room the page has: the largest whole multiple of the frame in it,
// never less than the frame, and the frames shown after fill the new size.
TEST_F(WindowPresent, AWindowFitsTheRoomItIsGivenByWholeMultiples) {
    const auto window = Open(1, platform::PresentPath::WindowSurface);
    ASSERT_NE(window, nullptr);
    const std::vector<std::uint32_t> frame = NumberedFrame();
    const struct {
        int width, height, scale;
    } rooms[] = {{1920, 1080, 2}, {1300, 1500, 2}, {1919, 1440, 2}, {1920, 1440, 3}, {600, 400, 1}, {641, 481, 1}};
    for (const auto& room : rooms) {
        window->FitInto(room.width, room.height);
        window->PumpEvents();
        EXPECT_EQ(window->Scale(), room.scale) << room.width << " x " << room.height;
        int width = 0;
        int height = 0;
        window->ClientSize(width, height);
        EXPECT_EQ(width, kW * room.scale);
        EXPECT_EQ(height, kH * room.scale);
        ASSERT_TRUE(window->PrepareFrame(frame.data()));
        ASSERT_TRUE(window->PresentFrame());
        std::vector<std::uint32_t> pixels;
        ASSERT_TRUE(window->ReadPixels(pixels, width, height));
        EXPECT_EQ(width, kW * room.scale);
        EXPECT_EQ(pixels.back() & 0xFFFFFFu, frame.back() & 0xFFFFFFu);
    }
}

}  // namespace
