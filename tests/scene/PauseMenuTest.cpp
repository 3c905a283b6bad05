#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "scene/GameHarness.h"

namespace {

constexpr int kWidth = 640;

struct Box {
    int left, top, right, bottom;
};
// The title plate and the resume item, as the open menu shows them.
constexpr Box kPlate{96, 158, 352, 222};
constexpr Box kResume{128, 236, 320, 284};
constexpr int kMenuButtonX = 588;
constexpr int kMenuButtonY = 16;

std::vector<std::uint32_t> Shown(GameHarness& harness) {
    const std::uint32_t* frame = harness.Software()->Frame();
    return {frame, frame + kWidth * 480};
}

// The share of the box's pixels that differ between two frames.
double Changed(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, Box box) {
    int changed = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            changed += a[static_cast<std::size_t>(y * kWidth + x)] != b[static_cast<std::size_t>(y * kWidth + x)];
        }
    }
    return static_cast<double>(changed) / ((box.right - box.left) * (box.bottom - box.top));
}

// The menu is on screen when its plate and first item cover what the frozen field showed.
void ExpectMenuDrawnOver(const std::vector<std::uint32_t>& field, const std::vector<std::uint32_t>& frame) {
    EXPECT_GT(Changed(field, frame, kPlate), 0.5);
    EXPECT_GT(Changed(field, frame, kResume), 0.5);
}

}  // namespace

// The frame in which Space or the menu button opens the menu already draws it, and that Space
// is not taken as the menu's own Space (which would close it again).
TEST(PauseMenuOpening, TheMenuIsDrawnInTheFrameThatOpensItAndStaysOpen) {
    GameHarness harness(GameHarness::Drawing::Software);
    GameMain& game = harness.Open(field::StageRequest{});
    harness.MoveTo(600, 300);  // over the side panel: nothing there reacts
    harness.Frames(150);  // past the opening fade
    const std::vector<std::uint32_t> field = Shown(harness);
    harness.Frame();
    ASSERT_EQ(Changed(field, Shown(harness), kPlate), 0.0);  // the field before the start stands still

    harness.PressKey(kKeySpace);
    ASSERT_TRUE(game.MenuOpen());
    ExpectMenuDrawnOver(field, Shown(harness));
    harness.Frame();
    EXPECT_TRUE(game.MenuOpen());

    harness.PressKey(kKeySpace);
    ASSERT_FALSE(game.MenuOpen());
    harness.MoveTo(kMenuButtonX, kMenuButtonY);
    harness.Frame();
    const std::vector<std::uint32_t> closed = Shown(harness);
    harness.Context().SetButtons(1, 0);
    harness.Frame();
    ASSERT_TRUE(game.MenuOpen());
    ExpectMenuDrawnOver(closed, Shown(harness));
}
