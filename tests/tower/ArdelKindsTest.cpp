#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "base/Random.h"
#include "tower/ArdelShooters.h"
#include "tower/Ardel_Lantern.h"
#include "tower/KindRig.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

float Speed(const StraightBullet& shot) { return std::hypot(shot.vx, shot.vy); }
float Heading(const StraightBullet& shot) { return std::atan2(shot.vy, shot.vx); }

// --- Spindle -------------------------------------------------------------------------------

TEST(Spindle, NeedlesGrowWithLevelAndFlyFastOnTheLevelsClock) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        KindRig<Ardel_Spindle> rig;
        rig.RaiseTo(level);
        rig.SpawnNear(0.0f, -50.0f);  // north
        const std::vector<int> fired = rig.FiringFrames(100);
        ASSERT_GE(fired.size(), 3u) << level;
        EXPECT_EQ(fired[0], 0);
        EXPECT_EQ(fired[1] - fired[0], rig.tower.FireInterval() + 1) << level;
        const StraightBullet& needle = *rig.tower.Bullets().back();
        const float width = 16.0f + 0.5f * static_cast<float>(level);
        EXPECT_EQ(needle.width, width);
        EXPECT_EQ(needle.height, 2.0f * width);
        EXPECT_EQ(needle.HitRadius(), 3.0f);
        EXPECT_NEAR(Speed(needle), 4.0f, 1e-4f);
        EXPECT_NEAR(Heading(needle), -kPi / 2.0f, 1e-4f);
        // The needle's cell points up, so it is turned to lead with its point.
        EXPECT_NEAR(needle.angle, -kPi, 1e-4f);
    }
}

TEST(Spindle, TheTopLevelShootsFasterAndFarther) {
    KindRig<Ardel_Spindle> rig;
    const int interval = rig.tower.FireInterval();
    const int reach = rig.tower.EffectiveRange();
    rig.RaiseTo(tower::kMaxLevel);
    EXPECT_LT(rig.tower.FireInterval(), interval);
    EXPECT_GT(rig.tower.EffectiveRange(), reach);
}

// --- Gale ----------------------------------------------------------------------------------

using GaleRig = KindRig<Exposed<Ardel_Gale>>;

TEST(Gale, AnOrdinaryEnemyGetsOneBladeAYoukaiThree) {
    GaleRig plain;
    plain.SpawnNear(40.0f, 0.0f);
    ASSERT_TRUE(plain.Frame());
    ASSERT_EQ(plain.tower.Bullets().size(), 1u);
    EXPECT_FALSE(plain.tower.Bullets().front()->variant);
    EXPECT_NEAR(Speed(*plain.tower.Bullets().front()), 5.0f, 1e-4f);

    GaleRig youkai;
    youkai.SpawnNear(0.0f, 40.0f, EnemyKind::EvilEye);
    ASSERT_TRUE(youkai.Frame());
    const auto& blades = youkai.tower.Bullets();
    ASSERT_EQ(blades.size(), 3u);
    const float aimed = kPi / 2.0f;
    const float expected[3] = {aimed, aimed - kPi / 16.0f, aimed + kPi / 16.0f};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(blades[i]->variant);
        EXPECT_NEAR(Heading(*blades[i]), expected[i], 1e-4f) << i;
        EXPECT_NEAR(Speed(*blades[i]), 5.0f, 1e-4f);
    }
}

TEST(Gale, TheShotFollowsTheEnemyAimedAtNotTheNearest) {
    GaleRig rig;
    rig.SpawnNear(20.0f, 0.0f);  // nearest, an ordinary enemy
    Enemy& eye = rig.SpawnNear(-50.0f, 0.0f, EnemyKind::EvilEye);
    rig.lockOn = eye.Ref();
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.tower.Bullets().size(), 3u);
}

TEST(Gale, AStrongBladeBurstsOverSixteenPixelsAPlainOneDoesNot) {
    for (const bool strong : {true, false}) {
        GaleRig rig;
        Enemy& hit = rig.SpawnAt(300.0f, 300.0f, EnemyKind::RedFairy, 10000);
        Enemy& edge = rig.SpawnAt(300.0f, 316.0f, EnemyKind::RedFairy, 10000);
        Enemy& beyond = rig.SpawnAt(316.1f, 300.0f, EnemyKind::RedFairy, 10000);
        rig.AddShot(std::make_unique<StraightBullet>(), 300.0f, 300.0f).variant = strong;
        rig.tower.HitTest(rig.enemies());
        const double dealt = rig.tower.DamageNow();
        EXPECT_EQ(hit.hp, 10000.0 - dealt);
        EXPECT_EQ(edge.hp, strong ? 10000.0 - dealt : 10000.0) << strong;
        EXPECT_EQ(beyond.hp, 10000.0);
        EXPECT_EQ(rig.tower.Explosions().All().size(), strong ? 1u : 0u);
    }
}

TEST(Gale, ABurstSparesTheDead) {
    GaleRig rig;
    rig.SpawnAt(300.0f, 300.0f, EnemyKind::RedFairy, 10000);
    Enemy& dead = rig.SpawnAt(300.0f, 310.0f, EnemyKind::RedFairy, 10000);
    dead.dead = 1;
    rig.AddShot(std::make_unique<StraightBullet>(), 300.0f, 300.0f).variant = true;
    rig.tower.HitTest(rig.enemies());
    EXPECT_EQ(dead.hp, 10000.0);
}

TEST(Gale, BurstsRunTheirCourseAndGo) {
    GaleRig rig;
    rig.SpawnAt(300.0f, 300.0f, EnemyKind::RedFairy, 10000);
    rig.AddShot(std::make_unique<StraightBullet>(), 300.0f, 300.0f).variant = true;
    rig.tower.HitTest(rig.enemies());
    ASSERT_EQ(rig.tower.Explosions().All().size(), 1u);
    const std::size_t before = rig.field.device.draws.size();
    rig.tower.UpdateBullets(false);  // paused: drawn, not advanced
    EXPECT_GT(rig.field.device.draws.size(), before);
    for (int frame = 0; frame < 60; ++frame) {
        rig.tower.UpdateBullets(true);
    }
    EXPECT_TRUE(rig.tower.Explosions().All().empty());
}

// --- Lantern -------------------------------------------------------------------------------

using LanternRig = KindRig<Ardel_Lantern>;

TEST(Lantern, ChargesWhileAWalkingEnemyIsNearThenDischargesAndWaits) {
    LanternRig rig;
    rig.SpawnNear(30.0f, 0.0f);
    const std::vector<int> discharges = rig.FiringFrames(300);
    // Eleven frames of charge; then the clock must pass the interval before charging again.
    const int period = rig.tower.FireInterval() + 1 + Ardel_Lantern::kFullCharge;
    ASSERT_EQ(discharges.size(), 3u);
    EXPECT_EQ(discharges[0], Ardel_Lantern::kFullCharge);
    EXPECT_EQ(discharges[1] - discharges[0], period);
    EXPECT_EQ(discharges[2] - discharges[1], period);
}

TEST(Lantern, AChargeIsKeptWhileTheEnemyStepsAway) {
    LanternRig rig;
    Enemy& enemy = rig.SpawnNear(30.0f, 0.0f);
    for (int frame = 0; frame < 5; ++frame) {
        rig.Frame();
    }
    EXPECT_EQ(rig.tower.Charge(), 5);
    enemy.x = LanternRig::kAt + 40.0f;  // exactly at the range: not near enough to charge
    for (int frame = 0; frame < 20; ++frame) {
        EXPECT_FALSE(rig.Frame());
    }
    EXPECT_EQ(rig.tower.Charge(), 5);
}

TEST(Lantern, FlyingEnemiesNeitherChargeItNorTakeTheDischarge) {
    LanternRig alone;
    Enemy& flier = alone.SpawnNear(10.0f, 0.0f, EnemyKind::Vernie);
    EXPECT_TRUE(alone.FiringFrames(200).empty());
    EXPECT_EQ(alone.tower.Charge(), 0);
    EXPECT_EQ(flier.hp, 1000000.0);

    LanternRig mixed;
    Enemy& walker = mixed.SpawnNear(20.0f, 0.0f);
    Enemy& above = mixed.SpawnNear(-10.0f, 0.0f, EnemyKind::Vernie);
    ASSERT_EQ(mixed.FiringFrames(20).size(), 1u);
    EXPECT_EQ(walker.hp, 1000000.0 - mixed.tower.DamageNow());
    EXPECT_EQ(above.hp, 1000000.0);
}

TEST(Lantern, ADischargeReachesFivePixelsBeyondTheRange) {
    LanternRig rig;
    rig.SpawnNear(0.0f, 10.0f);  // charges it
    const float reach = static_cast<float>(rig.tower.EffectiveRange() + Ardel_Lantern::kDischargeReach);
    Enemy& atEdge = rig.SpawnNear(reach, 0.0f);
    Enemy& beyond = rig.SpawnNear(0.0f, -(reach + 0.01f));
    ASSERT_EQ(rig.FiringFrames(20).size(), 1u);
    EXPECT_EQ(atEdge.hp, 1000000.0 - rig.tower.DamageNow());
    EXPECT_EQ(beyond.hp, 1000000.0);
}

TEST(Lantern, EachLevelStunsWithItsOddsAndLeavesAStunRunning) {
    constexpr int kCrowd = 120;
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        LanternRig rig;
        rig.RaiseTo(level);
        std::vector<Enemy*> crowd;
        for (int i = 0; i < kCrowd; ++i) {
            crowd.push_back(&rig.SpawnNear(static_cast<float>(i % 11) - 5.0f, static_cast<float>(i / 11) - 5.0f));
        }
        crowd[7]->shakeFrames = 3;  // already stunned
        // The draws the discharge will make, one per enemy in list order.
        constexpr std::uint32_t kSeed = 4242;
        Random::Seed(kSeed);
        std::vector<int> draws;
        for (int i = 0; i < kCrowd; ++i) {
            draws.push_back(Random::Next() % 100);
        }
        Random::Seed(kSeed);
        ASSERT_EQ(rig.FiringFrames(20).size(), 1u) << level;
        const int odds = Ardel_Lantern::StunPercent(level);
        int stunned = 0;
        for (int i = 0; i < kCrowd; ++i) {
            const int expected = i == 7 ? 3 : (draws[static_cast<std::size_t>(i)] < odds ? Ardel_Lantern::kStunFrames : 0);
            EXPECT_EQ(crowd[static_cast<std::size_t>(i)]->shakeFrames, expected) << level << " " << i;
            stunned += crowd[static_cast<std::size_t>(i)]->shakeFrames == Ardel_Lantern::kStunFrames ? 1 : 0;
        }
        // The odds are those the catalogue promises: they rise with level, from 5 % to 25 %.
        EXPECT_GT(stunned, 0) << level;
        const int promised[] = {5, 7, 10, 13, 15, 25};
        EXPECT_EQ(odds, promised[level]) << level;
    }
}

TEST(Lantern, TheGlowsFlashAtADischargeAndFadeOut) {
    LanternRig rig;
    rig.SpawnNear(10.0f, 0.0f);
    const std::size_t quiet = rig.field.device.draws.size();
    rig.tower.UpdateBullets(true);
    EXPECT_EQ(rig.field.device.draws.size(), quiet);  // nothing lit yet
    ASSERT_EQ(rig.FiringFrames(11).size(), 1u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rig.tower.Glow(i).alpha, 255 - 7);
    }
    for (int frame = 0; frame < 40; ++frame) {
        rig.Frame();
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rig.tower.Glow(i).alpha, 0);
        EXPECT_EQ(rig.tower.Glow(i).pulseStep, 0);
    }
}

}  // namespace
