#include <gtest/gtest.h>

#include "bullet/BulletGeometry.h"
#include "bullet/StraightBullet.h"
#include "support/RecordingDevice.h"

namespace {

TEST(StraightBullet, TheVelocityChangesBeforeThePositionMoves) {
    RecordingDevice device;
    StraightBullet shot;
    shot.Create(&device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    shot.SetMotion(1.0f, 0.0f, 0.5f, -0.25f);
    shot.Draw(1);
    EXPECT_FLOAT_EQ(shot.x, 101.5f);
    EXPECT_FLOAT_EQ(shot.y, 99.75f);
    EXPECT_EQ(shot.age, 1);
    EXPECT_EQ(device.draws.size(), 1u);
}

TEST(StraightBullet, APausedShotIsDrawnWhereItIs) {
    RecordingDevice device;
    StraightBullet shot;
    shot.Create(&device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    shot.SetMotion(3.0f, 1.0f, 0.0f, 0.0f);
    shot.SetRotation(0.5f, 0.2f);
    for (int frame = 0; frame < 5; ++frame) {
        shot.Draw(0);
    }
    EXPECT_EQ(shot.x, 100.0f);
    EXPECT_EQ(shot.angle, 0.5f);
    EXPECT_EQ(device.draws.size(), 5u);
    shot.alive = 0;
    shot.Draw(1);
    EXPECT_EQ(device.draws.size(), 5u);
}

TEST(StraightBullet, ABurstSlowedBySixtiethsComesToRestAfterSixtyFrames) {
    RecordingDevice device;
    StraightBullet shot;
    shot.Create(&device, nullptr, 100.0f, 100.0f, 12.0f, 12.0f);
    const bullet::Velocity v = bullet::VelocityTowards(100.0f, 100.0f, 160.0f, 180.0f, 1.5f);
    shot.SetMotion(v.vx, v.vy, -v.vx / 60.0f, -v.vy / 60.0f);
    for (int frame = 0; frame < 60; ++frame) {
        shot.Draw(1);
    }
    EXPECT_NEAR(shot.vx, 0.0f, 1e-5f);
    EXPECT_NEAR(shot.vy, 0.0f, 1e-5f);
    // 1.5 x (59 + 58 + ... + 0) / 60 pixels along the way.
    EXPECT_NEAR(bullet::Distance(100.0f, 100.0f, shot.x, shot.y), 1.5f * 59.0f * 60.0f / 2.0f / 60.0f, 1e-3f);
}

}  // namespace
