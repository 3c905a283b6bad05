#include <gtest/gtest.h>

#include "base/Random.h"
#include "effect/EffectBurst.h"
#include "effect/EffectExplosionCircle.h"
#include "effect/EffectFlyAroundParticle.h"
#include "effect/Traile.h"
#include "support/RecordingDevice.h"

namespace {

TEST(EffectBurst, GrowsFadesAndEndsAfterSixteenDraws) {
    RecordingDevice device;
    EffectBurst burst;
    burst.Init(&device, nullptr, 100.0f, 100.0f, 16.0f, 15, 4.0f);
    burst.alive = 1;
    int updates = 0;
    while (burst.alive) {
        burst.Update(1);
        ASSERT_LT(++updates, 100);
    }
    EXPECT_EQ(updates, 17);
    ASSERT_EQ(device.draws.size(), 16u);
    const auto& first = device.draws.front().vertices;
    EXPECT_FLOAT_EQ(first[1].x - first[0].x, 20.0f);
    EXPECT_EQ(first[0].diffuse >> 24, 240u);
    const auto& last = device.draws.back().vertices;
    EXPECT_FLOAT_EQ(last[1].x - last[0].x, 80.0f);
    EXPECT_EQ(last[0].diffuse >> 24, 15u);
}

TEST(EffectBurst, RepeatingBurstStartsOver) {
    RecordingDevice device;
    EffectBurst burst;
    burst.Init(&device, nullptr, 0.0f, 0.0f, 16.0f, 15, 4.0f);
    burst.alive = 1;
    burst.repeat = 1;
    for (int k = 0; k < 100; ++k) {
        burst.Update(1);
    }
    EXPECT_TRUE(burst.alive);
    EXPECT_EQ(device.draws.size(), 100u);
    EXPECT_LE(burst.size, 16.0f + 17 * 4.0f);
    // Paused: drawn, not grown.
    const float size = burst.size;
    burst.Update(0);
    EXPECT_EQ(burst.size, size);
}

TEST(EffectExplosionCircle, EndsWithItsAnimation) {
    Random::Seed(7);
    RecordingDevice device;
    gfx::Texture sheet(8, 2);
    EffectExplosionCircle explosion;
    explosion.Init(&device, &sheet, nullptr, nullptr, 200.0f, 200.0f, 64.0f);
    int updates = 0;
    while (explosion.alive) {
        explosion.Update(1);
        ASSERT_LT(++updates, 100);
    }
    EXPECT_EQ(updates, 48);
    EXPECT_EQ(device.draws.size(), 48u * 4u);
    // The last picture is the sheet's bottom-right cell.
    const RecordingDevice::Draw& last = device.draws[47 * 4];
    EXPECT_EQ(last.texture, &sheet);
    EXPECT_FLOAT_EQ(last.vertices[0].u, 0.875f);
    EXPECT_FLOAT_EQ(last.vertices[0].v, 0.5f);
}

TEST(EffectFlyAroundParticle, EmptySprayEndsAfterElevenUpdates) {
    RecordingDevice device;
    EffectFlyAroundParticle spray;
    spray.Init(&device, nullptr, 10.0f, 10.0f, 0, 1.0f);
    int updates = 0;
    while (spray.alive) {
        spray.Update(1);
        ASSERT_LT(++updates, 100);
    }
    EXPECT_EQ(updates, 11);
    EXPECT_TRUE(device.draws.empty());
}

TEST(EffectFlyAroundParticle, ParticlesFadeOutInFortyUpdatesThenTheSprayEnds) {
    Random::Seed(3);
    RecordingDevice device;
    EffectFlyAroundParticle spray;
    spray.Init(&device, nullptr, 10.0f, 10.0f, 5, 0.5f);
    int updates = 0;
    while (spray.alive) {
        spray.Update(1);
        ASSERT_LT(++updates, 100);
    }
    EXPECT_EQ(updates, 40 + 11);
    EXPECT_EQ(device.draws.size(), 5u * 40u);
}

TEST(Traile, StoppedTrailFadesWithinMaxPointsUpdates) {
    RecordingDevice device;
    Traile trail;
    trail.Init(&device, nullptr, 0.0f, 0.0f, 2.0f, 0.0f, 10, 20.0f, 0.0f);
    for (int k = 0; k < 30; ++k) {
        trail.Update(1);
    }
    ASSERT_FALSE(trail.points.empty());
    EXPECT_LE(trail.points.size(), 10u);
    // The head keeps going even while the list is full.
    EXPECT_FLOAT_EQ(trail.headX, 60.0f);
    EXPECT_FLOAT_EQ(trail.points.back().x, 60.0f);
    trail.stopped = 1;
    for (int k = 0; k < 10; ++k) {
        trail.Update(1);
    }
    EXPECT_TRUE(trail.points.empty());
    EXPECT_FLOAT_EQ(trail.headX, 60.0f);
}

}  // namespace
