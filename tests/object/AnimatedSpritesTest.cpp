#include <gtest/gtest.h>

#include "base/SceneContext.h"
#include "object/AnimationStep.h"
#include "object/GradationFade.h"
#include "object/IncreaseObject2D.h"
#include "object/MouseChangeObject2D.h"
#include "support/RecordingDevice.h"

namespace {

TEST(AnimationStep, OneShotEndsAfterItsLastFrame) {
    RecordingDevice device;
    AnimationStep animation;
    animation.Create(&device, nullptr, 0, 0, 16, 16);
    animation.AddFrame(0.0f, 0.5f, 0.0f, 1.0f, 3);
    animation.AddFrame(0.5f, 1.0f, 0.0f, 1.0f, 3);
    animation.loop = 0;
    animation.Start();
    for (int frame = 1; frame <= 6; ++frame) {
        ASSERT_TRUE(animation.alive) << frame;
        animation.Draw(1);
    }
    EXPECT_FALSE(animation.alive);
    ASSERT_EQ(device.draws.size(), 6u);
    EXPECT_FLOAT_EQ(device.draws[2].vertices[0].u, 0.0f);
    EXPECT_FLOAT_EQ(device.draws[3].vertices[0].u, 0.5f);
    animation.Draw(1);
    EXPECT_EQ(device.draws.size(), 6u);
    // Sprite sheets are drawn crisp, and the default filter comes back afterwards.
    EXPECT_EQ(device.draws[0].minFilter, gfx::TEXF_POINT);
    EXPECT_EQ(device.Sampler(gfx::SamplerState::MagFilter), gfx::TEXF_LINEAR);
}

TEST(AnimationStep, LoopsAndFreezes) {
    RecordingDevice device;
    AnimationStep animation;
    animation.Create(&device, nullptr, 0, 0, 16, 16);
    animation.AddFrame(0.0f, 0.5f, 0.0f, 1.0f, 1);
    animation.AddFrame(0.5f, 1.0f, 0.0f, 1.0f, 1);
    animation.Start();
    animation.Draw(1);
    animation.Draw(1);
    EXPECT_EQ(animation.current, 0);
    EXPECT_TRUE(animation.alive);
    animation.Draw(1);
    animation.Draw(2);  // frozen: the picture stays
    animation.Draw(2);
    EXPECT_EQ(animation.current, 1);
    EXPECT_FLOAT_EQ(device.draws.back().vertices[0].u, 0.0f);
}

TEST(IncreaseObject2D, DrawsCountCopiesInWhite) {
    RecordingDevice device;
    IncreaseObject2D icons;
    icons.Create(&device, nullptr, 100.0f, 20.0f, 10.0f, 10.0f);
    icons.SetLayout(2.0f, true);
    icons.red = 0;
    icons.alpha = 128;
    icons.count = 3;
    icons.Draw(1);
    ASSERT_EQ(device.draws.size(), 3u);
    EXPECT_FLOAT_EQ(device.draws[2].vertices[0].x, 95.0f + 24.0f);
    EXPECT_EQ(device.draws[2].vertices[0].diffuse, 0x80FFFFFFu);
    icons.count = 0;
    icons.Draw(1);
    EXPECT_EQ(device.draws.size(), 3u);
}

TEST(MouseChangeObject2D, HoverPulsesAndIsForgottenEachFrame) {
    RecordingDevice device;
    MouseChangeObject2D button;
    button.Create(&device, nullptr, 100.0f, 100.0f, 40.0f, 20.0f);
    button.SetAnimation(255, 10, 0, 1, 0, 0, 1, 0);
    SceneContext input;
    input.SetMouse(115, 105);
    EXPECT_TRUE(button.HitTest(input, 0));
    input.SetMouse(0, 0);
    EXPECT_TRUE(button.HitTest(input, 0));  // answered from the first test of this frame
    button.Draw(1);
    EXPECT_EQ(button.alpha, 245);
    EXPECT_FALSE(button.hovered);

    EXPECT_FALSE(button.HitTest(input, 0));
    button.Draw(1);
    EXPECT_EQ(button.alpha, 255);  // not hovered: the pulse stops and alpha comes back
}

TEST(MouseChangeObject2D, OffsetHitBoxHasItsCornerAtTheOffset) {
    RecordingDevice device;
    MouseChangeObject2D button;
    button.Create(&device, nullptr, 100.0f, 100.0f, 40.0f, 20.0f);
    button.SetHitBox(200.0f, 10.0f, 0.0f, 5.0f);
    SceneContext input;
    input.SetMouse(290, 110);
    EXPECT_TRUE(button.HitTest(input, 0));
    button.Draw(0);
    input.SetMouse(290, 104);
    EXPECT_FALSE(button.HitTest(input, 0));
    input.SetMouse(90, 110);
    EXPECT_FALSE(button.HitTest(input, 0));
}

TEST(MouseChangeObject2D, BlinksTwoFramesOnTwoOff) {
    RecordingDevice device;
    MouseChangeObject2D button;
    button.Create(&device, nullptr, 0, 0, 8, 8);
    button.SetBlinking(true);
    int alphas[6];
    for (int& a : alphas) {
        button.Draw(1);
        a = button.alpha;
    }
    EXPECT_EQ(alphas[0], 255);
    EXPECT_EQ(alphas[1], 0);
    EXPECT_EQ(alphas[2], 0);
    EXPECT_EQ(alphas[3], 255);
    EXPECT_EQ(alphas[4], 255);
    EXPECT_EQ(alphas[5], 0);
}

// corner[k] is the alpha of vertex {1, 0, 2, 3}[k]; the left edge leads with corners 1 and 2.
TEST(GradationFade, LeftEdgeLeadsAndTheRightCatchesUp) {
    RecordingDevice device;
    GradationFade fade;
    fade.Init(&device, 0, 0, 0, FadeDirection::Cover, FadePattern::LeftLeads, 6, 0);
    EXPECT_EQ(fade.step, 12);
    int frames = 0;
    while (fade.corner[1].Get() < 255) {
        const int leftBefore = fade.corner[1].Get();
        const int rightBefore = fade.corner[0].Get();
        EXPECT_FALSE(fade.Update());
        ++frames;
        const int expectedRight = std::min(255, rightBefore + (fade.corner[1].Get() > 125 ? 12 : 6));
        EXPECT_EQ(fade.corner[0].Get(), expectedRight) << frames;
        EXPECT_EQ(fade.corner[2].Get(), fade.corner[1].Get());
        EXPECT_EQ(fade.corner[3].Get(), fade.corner[0].Get());
        EXPECT_GT(fade.corner[1].Get(), leftBefore);
    }
    EXPECT_EQ(frames, 22);
    int more = 0;
    while (!fade.Update()) {
        ++more;
        ASSERT_LT(more, 40);
    }
    EXPECT_EQ(fade.corner[0].Get(), 255);
    // What was drawn: untextured, left vertices ahead of the right ones.
    const RecordingDevice::Draw& first = device.draws.front();
    EXPECT_EQ(first.texture, nullptr);
    EXPECT_FLOAT_EQ(first.vertices[3].x, 640.0f);
    const auto& mid = device.draws[8].vertices;
    EXPECT_GT(mid[0].diffuse >> 24, mid[1].diffuse >> 24);
    EXPECT_EQ(mid[0].diffuse >> 24, mid[2].diffuse >> 24);
}

TEST(GradationFade, AdvancingAloneCompletesOnTheSameFrameAsDrawing) {
    RecordingDevice device;
    GradationFade drawn;
    GradationFade undrawn;
    drawn.Init(&device, 0, 0, 0, FadeDirection::Cover, FadePattern::TopLeads, 5, 4);
    undrawn.Init(nullptr, 0, 0, 0, FadeDirection::Cover, FadePattern::TopLeads, 5, 4);
    for (int frame = 0; frame < 60; ++frame) {
        ASSERT_EQ(undrawn.Advance(), drawn.Update()) << frame;
    }
    EXPECT_EQ(device.draws.size(), 60u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(undrawn.corner[k].Get(), drawn.corner[k].Get());
    }
}

TEST(GradationFade, HoldsAfterCompletion) {
    RecordingDevice device;
    GradationFade fade;
    fade.Init(&device, 255, 255, 255, FadeDirection::Uncover, FadePattern::BottomLeads, 200, 3);  // uncovering at once
    EXPECT_FALSE(fade.Update());
    EXPECT_FALSE(fade.Update());
    EXPECT_TRUE(fade.Update());
    fade.Reset(FadeDirection::Cover);
    EXPECT_TRUE(fade.Update());  // the hold was spent by the first fade
    EXPECT_EQ(fade.corner[2].Get(), 255);
    EXPECT_EQ(device.draws.back().vertices[2].diffuse >> 24, 0u);  // drawn before advancing
}

}  // namespace
