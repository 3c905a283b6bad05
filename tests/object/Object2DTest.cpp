#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "object/Object2D.h"
#include "object/Object2DVector.h"
#include "support/RecordingDevice.h"

namespace {

TEST(Object2D, AxisAlignedAndRotatedPlacementDiffer) {
    RecordingDevice device;
    Object2D sprite;
    sprite.Create(&device, nullptr, 100.0f, 50.0f, 32.0f, 16.0f);
    EXPECT_FLOAT_EQ(sprite.vertices[0].x, 84.0f);
    EXPECT_FLOAT_EQ(sprite.vertices[0].y, 42.0f);  // 8 px above the centre
    EXPECT_FLOAT_EQ(sprite.vertices[3].x, 116.0f);
    EXPECT_FLOAT_EQ(sprite.vertices[3].y, 58.0f);

    // Any other angle takes the corners in mirrored order: vertex 0 below the centre.
    sprite.SetRotation(0.0001f, 0.0f);
    EXPECT_NEAR(sprite.vertices[0].x, 84.0f, 0.01f);
    EXPECT_NEAR(sprite.vertices[0].y, 58.0f, 0.01f);
    EXPECT_NEAR(sprite.vertices[1].x, 116.0f, 0.01f);
    EXPECT_NEAR(sprite.vertices[1].y, 58.0f, 0.01f);
    EXPECT_NEAR(sprite.vertices[2].y, 42.0f, 0.01f);
    EXPECT_NEAR(sprite.vertices[3].x, 116.0f, 0.01f);
    EXPECT_NEAR(sprite.vertices[3].y, 42.0f, 0.01f);
    // Texture corners keep their strip order whatever the angle.
    EXPECT_EQ(sprite.vertices[0].u, 0.0f);
    EXPECT_EQ(sprite.vertices[3].v, 1.0f);

    // A positive angle turns clockwise on screen: a quarter turn takes vertex 1 from the right
    // of the centre to below it.
    sprite.SetRotation(static_cast<float>(std::numbers::pi / 2), 0.0f);
    EXPECT_NEAR(sprite.vertices[1].x, 92.0f, 0.01f);
    EXPECT_NEAR(sprite.vertices[1].y, 66.0f, 0.01f);
}

TEST(Object2D, AlphaPulseBouncesBetweenTheEnds) {
    RecordingDevice device;
    Object2D sprite;
    sprite.Create(&device, nullptr, 0.0f, 0.0f, 16.0f, 16.0f);
    sprite.SetAnimation(250, 5, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    std::vector<int> seen;
    for (int frame = 0; frame < 104; ++frame) {
        sprite.Draw(1);
        seen.push_back(sprite.alpha);
    }
    std::vector<int> expected;
    for (int a = 245; a >= 0; a -= 5) expected.push_back(a);
    expected.push_back(0);  // the step below 0 is clamped and turns the pulse
    for (int a = 5; a <= 255; a += 5) expected.push_back(a);
    expected.push_back(255);
    expected.push_back(250);
    ASSERT_EQ(seen.size(), expected.size());
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(device.draws.back().vertices[0].diffuse >> 24, 250u);
}

TEST(Object2D, UpdateFlagAndAliveGateAnimationAndDrawing) {
    RecordingDevice device;
    gfx::Texture texture(16, 16);
    Object2D sprite;
    sprite.Create(&device, &texture, 10.0f, 10.0f, 16.0f, 16.0f);
    sprite.SetAnimation(255, 0, 0.0f, 0.5f, 0.25f, 0.0f, 1.0f, 0.0f);
    sprite.SetRotation(0.0f, 0.5f);

    // A paused draw shows the vertices as they are, even with fields written directly.
    sprite.x = 300.0f;
    sprite.red = 0;
    sprite.Draw(0);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[0].x, 2.0f);
    EXPECT_EQ(device.draws[0].vertices[0].diffuse, 0xFFFFFFFFu);
    EXPECT_EQ(device.draws[0].texture, &texture);
    EXPECT_EQ(device.boundTexture, nullptr);  // stage 0 is unbound after the draw
    EXPECT_EQ(device.fvf, kQuadVertexFormat);
    EXPECT_EQ(sprite.angle, 0.0f);

    sprite.Draw(1);
    EXPECT_FLOAT_EQ(sprite.angle, 0.5f);
    EXPECT_FLOAT_EQ(sprite.uLeft, 0.25f);
    EXPECT_FLOAT_EQ(sprite.uRight, 0.75f);
    EXPECT_EQ(device.draws[1].vertices[0].diffuse, 0xFF00FFFFu);
    EXPECT_NEAR(device.draws[1].vertices[0].x + device.draws[1].vertices[3].x, 600.0f, 0.01f);

    sprite.alive = 0;
    sprite.Draw(1);
    EXPECT_EQ(device.draws.size(), 2u);
    EXPECT_FLOAT_EQ(sprite.angle, 0.5f);
}

TEST(Object2D, OwnedTextureIsDeletedBorrowedIsNot) {
    RecordingDevice device;
    gfx::Texture borrowed(4, 4);
    {
        Object2D sprite;
        sprite.Create(&device, &borrowed, 0, 0, 4, 4);
        EXPECT_EQ(sprite.ownsTexture, 0);
    }
    EXPECT_EQ(borrowed.Width(), 4);  // still usable; AddressSanitizer would flag a double free
    {
        Object2D sprite;
        sprite.Create(&device, nullptr, 0, 0, 4, 4);
        sprite.texture = new gfx::Texture(4, 4);
        sprite.ownsTexture = 1;  // the leak checker fails the run if this is not released
    }
}

TEST(Object2DVector, StripReachesFromItsAnchor) {
    RecordingDevice device;
    Object2DVector strip;
    strip.Create(&device, nullptr, 200.0f, 100.0f, 8.0f, 100.0f);
    strip.SetRotation(static_cast<float>(std::numbers::pi / 2), 0.0f);
    // A quarter turn points the strip to the left: far corners 100 px left, near corners 4 px
    // above and below the anchor.
    EXPECT_NEAR(strip.vertices[0].x, 100.0f, 0.01f);
    EXPECT_NEAR(strip.vertices[1].x, 100.0f, 0.01f);
    EXPECT_NEAR(std::fabs(strip.vertices[0].y - strip.vertices[1].y), 8.0f, 0.01f);
    EXPECT_NEAR(strip.vertices[2].x, 200.0f, 0.01f);
    EXPECT_NEAR(strip.vertices[3].x, 200.0f, 0.01f);
    EXPECT_NEAR(strip.vertices[2].y, 96.0f, 0.01f);
    EXPECT_NEAR(strip.vertices[3].y, 104.0f, 0.01f);

    // Lengthening moves only the far corners.
    strip.SetSize(8.0f, 150.0f);
    EXPECT_NEAR(strip.vertices[0].x, 50.0f, 0.01f);
    EXPECT_NEAR(strip.vertices[2].x, 200.0f, 0.01f);
    EXPECT_NEAR(strip.vertices[3].y, 104.0f, 0.01f);
}

TEST(Object2DVector, AxisAlignedCaseMatchesATinyAngle) {
    RecordingDevice device;
    Object2DVector exact;
    Object2DVector tilted;
    exact.Create(&device, nullptr, 50.0f, 60.0f, 8.0f, 40.0f);
    tilted.Create(&device, nullptr, 50.0f, 60.0f, 8.0f, 40.0f);
    exact.SetRotation(0.0f, 0.0f);
    tilted.SetRotation(1e-6f, 0.0f);
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(exact.vertices[k].x, tilted.vertices[k].x, 0.001f) << k;
        EXPECT_NEAR(exact.vertices[k].y, tilted.vertices[k].y, 0.001f) << k;
    }
    EXPECT_FLOAT_EQ(exact.vertices[0].y, 100.0f);  // the far edge, downwards at angle 0
    EXPECT_FLOAT_EQ(exact.vertices[2].y, 60.0f);
}

}  // namespace
