#include <gtest/gtest.h>

#include <cmath>

#include "bullet/ColdFrostfireBullet.h"
#include "bullet/PebbleBullet.h"
#include "bullet/PlanetarBullet.h"
#include "bullet/StarDustMissileBullet.h"
#include "enemy/EnemyTestField.h"
#include "support/RecordingDevice.h"

namespace {

TEST(PebbleBullet, PausedFramesNeitherMoveItNorBringTheTurnCloser) {
    RecordingDevice device;
    const EnemyRef none;
    PebbleBullet seal(nullptr, none);
    seal.Create(&device, nullptr, 100.0f, 100.0f, 12.0f, 12.0f);
    seal.SetMotion(0.0f, 1.5f, 0.0f, -1.5f / 60.0f);
    seal.turnDelay = 60;
    seal.waiting = true;
    seal.targetX = 100.0f;
    seal.targetY = 200.0f;
    for (int frame = 0; frame < 100; ++frame) {
        seal.Draw(0);
    }
    EXPECT_EQ(seal.age, 0);
    EXPECT_EQ(seal.y, 100.0f);
    EXPECT_TRUE(seal.waiting);
    for (int frame = 0; frame < 61; ++frame) {
        seal.Draw(1);
    }
    EXPECT_FALSE(seal.waiting);
    EXPECT_NEAR(seal.vy, 3.0f, 1e-3f);  // towards the spot it was given, south
    EXPECT_EQ(device.draws.size(), 161u);
}

TEST(ColdFrostfireBullet, ACloudLivesAboutItsFadeAndReachesFartherAsItFades) {
    for (const int step : {7, 8}) {
        RecordingDevice device;
        ColdFrostfireBullet cloud;
        cloud.Create(&device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
        cloud.SetMotion(2.0f, 0.0f, 0.0f, 0.0f);
        cloud.SetHitRadius(3.0f);
        cloud.SetAnimation(255, step, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
        int frames = 0;
        float width = cloud.width;
        while (cloud.alive && frames < 100) {
            const int alphaBefore = cloud.alpha;
            cloud.Draw(1);
            ++frames;
            EXPECT_FLOAT_EQ(cloud.HitRadius(), 3.0f + 0.05f * static_cast<float>(255 - alphaBefore));
            EXPECT_GE(cloud.width, width);
            width = cloud.width;
        }
        // Gone in the frame its alpha runs out: ceil(255 / step) frames, the last not drawn.
        EXPECT_EQ(frames, (255 + step - 1) / step) << step;
        EXPECT_EQ(static_cast<int>(device.draws.size()), frames - 1) << step;
        EXPECT_NEAR(cloud.HitRadius(), 15.75f, 0.05f * static_cast<float>(step));
    }
}

TEST(StarDustMissileBullet, APausedMissileDoesNotFadeAndAFadingOneSquashes) {
    RecordingDevice device;
    StarDustMissileBullet missile;
    missile.Create(&device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    missile.SetMotion(0.7f, 0.0f, 0.0f, 0.0f);
    missile.fading = true;
    for (int frame = 0; frame < 20; ++frame) {
        missile.Draw(0);
    }
    EXPECT_EQ(missile.FadeValue(), 255);
    EXPECT_TRUE(missile.alive);
    missile.Draw(1);
    EXPECT_EQ(missile.FadeValue(), 235);
    EXPECT_EQ(missile.alpha, 235);
    EXPECT_FLOAT_EQ(missile.width, 16.0f * 0.92f);
    EXPECT_FLOAT_EQ(missile.height, 16.0f * 1.03f);
    EXPECT_FLOAT_EQ(missile.x, 100.7f);
}

TEST(StarDustMissileBullet, AWholeMissileKeepsFullAlpha) {
    RecordingDevice device;
    StarDustMissileBullet missile;
    missile.Create(&device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    missile.SetAnimation(255, 9, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    for (int frame = 0; frame < 10; ++frame) {
        missile.Draw(1);
    }
    EXPECT_EQ(missile.alpha, 255);
    EXPECT_TRUE(missile.alive);
}

struct Orbiting {
    Orbiting() : bit(200.0f, 200.0f, lockOn) { bit.Create(&field.device, nullptr, 200.0f, 200.0f, 16.0f, 16.0f); }
    EnemyTestField field;
    EnemyRef lockOn;
    PlanetarBullet bit;
};

TEST(PlanetarBullet, ABitCirclesItsCentre) {
    Orbiting o;
    o.bit.SetOrbitAngle(90);
    o.bit.SetOrbitRadius(30.0f);
    o.bit.Draw(1);
    EXPECT_NEAR(o.bit.x, 200.0f, 1e-3f);
    EXPECT_NEAR(o.bit.y, 230.0f, 1e-3f);  // 90 degrees: below, y grows downward
    EXPECT_EQ(o.bit.OrbitAngle(), 95);
    for (int frame = 0; frame < 71; ++frame) {
        o.bit.Draw(1);
        EXPECT_NEAR(std::hypot(o.bit.x - 200.0f, o.bit.y - 200.0f), 30.0f, 1e-3f);
    }
}

TEST(PlanetarBullet, ABitShortOfItsOrbitIsNeverLaunched) {
    Orbiting o;
    Enemy& enemy = o.field.Spawn(EnemyKind::RedFairy, 1, 240.0f, 200.0f);
    o.lockOn = enemy.Ref();
    o.bit.launchRange = 100;
    o.bit.SetLaunchAllowed(true);
    o.bit.SetOrbitAngle(0);
    o.bit.SetOrbitRadius(24.9f);
    for (int frame = 0; frame < 50; ++frame) {
        o.bit.Draw(1);
    }
    EXPECT_FALSE(o.bit.Launched());
    o.bit.SetOrbitRadius(25.0f);
    o.bit.Draw(1);
    ASSERT_TRUE(o.bit.Launched());
    // Launched, it takes no new orbit and its centre flies at the target.
    o.bit.SetOrbitRadius(5.0f);
    o.bit.SetOrbitAngle(180);
    EXPECT_EQ(o.bit.OrbitRadius(), 25.0f);
    EXPECT_NE(o.bit.OrbitAngle(), 180);
    const float centreX = o.bit.CentreX();
    o.bit.Draw(1);
    EXPECT_NEAR(o.bit.CentreX() - centreX, 2.0f, 1e-3f);
}

TEST(PlanetarBullet, ALaunchWaitsForATargetWithinReach) {
    Orbiting o;
    o.bit.launchRange = 100;
    o.bit.SetLaunchAllowed(true);
    o.bit.SetOrbitAngle(0);
    o.bit.SetOrbitRadius(30.0f);
    o.bit.Draw(1);
    EXPECT_FALSE(o.bit.Launched());  // no lock-on target
    Enemy& enemy = o.field.Spawn(EnemyKind::RedFairy, 1, 300.0f, 200.0f);
    enemy.x = 300.0f;  // exactly at the reach: too far
    enemy.y = 200.0f;
    o.lockOn = enemy.Ref();
    o.bit.Draw(1);
    EXPECT_FALSE(o.bit.Launched());
    o.bit.SetLaunchAllowed(false);
    enemy.x = 250.0f;
    o.bit.Draw(1);
    EXPECT_FALSE(o.bit.Launched());
    o.bit.SetLaunchAllowed(true);
    o.bit.Draw(1);
    EXPECT_TRUE(o.bit.Launched());
}

}  // namespace
