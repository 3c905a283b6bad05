#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tower/KindRig.h"
#include "tower/SoviaShooters.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

float Speed(const StraightBullet& shot) { return std::hypot(shot.vx, shot.vy); }
float Heading(const StraightBullet& shot) { return std::atan2(shot.vy, shot.vx); }

// The straight shooters fire once every interval + 1 frames while a target stays in range.
template <class Kind>
void ExpectSteadyClock(const char* name) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        KindRig<Kind> rig;
        rig.RaiseTo(level);
        rig.SpawnNear(30.0f, 0.0f);
        const std::vector<int> fired = rig.FiringFrames(400);
        ASSERT_GE(fired.size(), 2u) << name << " " << level;
        EXPECT_EQ(fired[0], 0) << name;
        for (std::size_t i = 1; i < fired.size(); ++i) {
            EXPECT_EQ(fired[i] - fired[i - 1], rig.tower.FireInterval() + 1) << name << " " << level;
        }
    }
}

TEST(SoviaShooters, SpreadStarAndColdFireOnTheirClocks) {
    ExpectSteadyClock<Sovia_SpreadStar>("spread star");
    ExpectSteadyClock<Sovia_Cold>("cold");
}

// --- Star Dust Missile -----------------------------------------------------------------------

using MissileRig = KindRig<Exposed<Sovia_StarDustMissile>>;

TEST(StarDustMissile, AMissileHitsOnceThenSlowsAndFades) {
    MissileRig rig;
    Enemy& first = rig.SpawnAt(300.0f, 300.0f, EnemyKind::RedFairy, 10000);
    Enemy& second = rig.SpawnAt(302.0f, 300.0f, EnemyKind::RedFairy, 10000);
    StarDustMissileBullet& missile = rig.AddShot(std::make_unique<StarDustMissileBullet>(), 300.0f, 300.0f);
    missile.SetMotion(3.5f, 0.0f, 0.0f, 0.0f);
    rig.tower.HitTest(rig.enemies());
    EXPECT_EQ(first.hp, 10000.0 - rig.tower.DamageNow());
    EXPECT_TRUE(missile.alive);
    EXPECT_TRUE(missile.fading);
    EXPECT_FLOAT_EQ(missile.vx, 3.5f * 0.2f);
    // Still touching both, it deals nothing more.
    rig.tower.HitTest(rig.enemies());
    EXPECT_EQ(first.hp, 10000.0 - rig.tower.DamageNow());
    EXPECT_EQ(second.hp, 10000.0);
    int frames = 0;
    while (!rig.tower.Bullets().empty() && frames < 30) {
        rig.tower.UpdateBullets(true);
        ++frames;
    }
    EXPECT_EQ(frames, 13);  // 255 lost by 20 a frame; drawn once more as it goes
}

TEST(StarDustMissile, TheTopLevelFiresThreeInARow) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        KindRig<Sovia_StarDustMissile> rig;
        rig.RaiseTo(level);
        rig.SpawnNear(0.0f, 60.0f);
        const std::vector<int> fired = rig.FiringFrames(rig.tower.FireInterval() + 2);
        const int gap = Sovia_StarDustMissile::kFollowUpGap;
        if (level < tower::kMaxLevel) {
            EXPECT_EQ(fired, (std::vector<int>{0, rig.tower.FireInterval() + 1})) << level;
        } else {
            EXPECT_EQ(fired, (std::vector<int>{0, gap, 2 * gap, rig.tower.FireInterval() + 1})) << level;
        }
        EXPECT_NEAR(Speed(*rig.tower.Bullets().front()), 3.5f, 1e-4f);
        EXPECT_NEAR(Heading(*rig.tower.Bullets().front()), kPi / 2.0f, 1e-4f);
    }
}

TEST(StarDustMissile, AFollowUpIsLostWhenNothingIsInRange) {
    KindRig<Sovia_StarDustMissile> rig;
    rig.RaiseTo(tower::kMaxLevel);
    Enemy& enemy = rig.SpawnNear(0.0f, 60.0f);
    ASSERT_TRUE(rig.Frame());
    enemy.y = KindRig<Sovia_StarDustMissile>::kAt + 200.0f;
    EXPECT_TRUE(rig.FiringFrames(20).empty());
    enemy.y = KindRig<Sovia_StarDustMissile>::kAt + 60.0f;
    // The next shot waits for the clock, and no stale follow-up fires before it.
    const std::vector<int> fired = rig.FiringFrames(rig.tower.FireInterval());
    ASSERT_FALSE(fired.empty());
    EXPECT_EQ(fired.front(), rig.tower.FireInterval() - 20);
}

// --- Spread Star ---------------------------------------------------------------------------

using StarRig = KindRig<Exposed<Sovia_SpreadStar>>;

TEST(SpreadStar, StarsSpeedUpAlongTheirWay) {
    StarRig rig;
    rig.SpawnNear(-40.0f, 0.0f);
    ASSERT_TRUE(rig.Frame());
    const StraightBullet& star = *rig.tower.Bullets().front();
    EXPECT_EQ(star.HitRadius(), 5.0f);
    EXPECT_TRUE(star.variant);
    // One frame flown: 3.0 plus three hundredths of it.
    EXPECT_NEAR(star.vx, -3.0f * 1.03f, 1e-4f);
    EXPECT_NEAR(star.vy, 0.0f, 1e-4f);
}

TEST(SpreadStar, TheBurstHarmsEnemiesStrictlyWithinAThirdOfItsSize) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        StarRig rig;
        rig.RaiseTo(level);
        const float reach = Sovia_SpreadStar::BurstSize(level) / 3.0f;
        // At the origin, distances along an axis are exact.
        Enemy& hit = rig.SpawnAt(0.0f, 0.0f, EnemyKind::RedFairy, 100000);
        Enemy& inside = rig.SpawnAt(0.0f, reach - 0.01f, EnemyKind::RedFairy, 100000);
        Enemy& atEdge = rig.SpawnAt(-reach, 0.0f, EnemyKind::RedFairy, 100000);
        rig.AddShot(std::make_unique<StraightBullet>(), 0.0f, 0.0f, 5.0f).variant = true;
        rig.tower.HitTest(rig.enemies());
        const double dealt = rig.tower.DamageNow();
        EXPECT_EQ(hit.hp, 100000.0 - dealt) << level;
        EXPECT_EQ(inside.hp, 100000.0 - dealt) << level;
        EXPECT_EQ(atEdge.hp, 100000.0) << level;
        ASSERT_EQ(rig.tower.Explosions().All().size(), 1u);
        EXPECT_EQ(rig.tower.Explosions().All().front()->explosion.width, Sovia_SpreadStar::BurstSize(level));
    }
    EXPECT_EQ(Sovia_SpreadStar::BurstSize(0), 80.0f);
    EXPECT_EQ(Sovia_SpreadStar::BurstSize(tower::kMaxLevel), 105.0f);
}

// --- Cold Frostfire ------------------------------------------------------------------------

using ColdRig = KindRig<Exposed<Sovia_Cold>>;

TEST(Cold, AHitSlowsByAShareOfTheEnemysOwnSpeedThatGrowsWithLevel) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        ColdRig rig;
        rig.RaiseTo(level);
        Enemy& enemy = rig.SpawnAt(300.0f, 300.0f, EnemyKind::EvilEye);
        rig.AddShot(std::make_unique<ColdFrostfireBullet>(), 300.0f, 300.0f);
        rig.tower.HitTest(rig.enemies());
        EXPECT_DOUBLE_EQ(enemy.slowAmount, (level + 3) * 0.05 * enemy.speedFactor) << level;
        EXPECT_EQ(enemy.slowFrames, 30);  // half a second, whatever the level
    }
    EXPECT_DOUBLE_EQ(Sovia_Cold::SlowShare(tower::kMaxLevel), 0.4);
}

TEST(Cold, TheIceFairyWalksOnAtHerOwnSpeed) {
    ColdRig rig;
    rig.RaiseTo(tower::kMaxLevel);
    Enemy& fairy = rig.SpawnAt(300.0f, 300.0f);
    Enemy& frelle = rig.SpawnAt(100.0f, 100.0f, EnemyKind::Frelle);
    rig.AddShot(std::make_unique<ColdFrostfireBullet>(), 300.0f, 300.0f);
    rig.AddShot(std::make_unique<ColdFrostfireBullet>(), 100.0f, 100.0f);
    rig.tower.HitTest(rig.enemies());
    ASSERT_EQ(frelle.slowFrames, Sovia_Cold::kSlowFrames);
    fairy.Update(1);
    frelle.Update(1);
    EXPECT_DOUBLE_EQ(fairy.currentSpeed, 0.6 * fairy.speedFactor);
    EXPECT_DOUBLE_EQ(frelle.currentSpeed, frelle.speedFactor);
}

TEST(Cold, CloudsFadeFasterBelowTheTopLevel) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        ColdRig rig;
        rig.RaiseTo(level);
        rig.SpawnNear(40.0f, 0.0f);
        ASSERT_TRUE(rig.Frame());
        const ColdFrostfireBullet& cloud = *rig.tower.Bullets().front();
        EXPECT_EQ(cloud.pulseStep, level == tower::kMaxLevel ? 7 : 8);
        EXPECT_NEAR(Speed(cloud), 2.0f, 1e-4f);
        EXPECT_EQ(cloud.spin, 0.3f);
    }
}

// --- Nebula --------------------------------------------------------------------------------

using NebulaRig = KindRig<Sovia_Nebula>;

TEST(Nebula, EachLevelStreamsItsShotsAtItsSpacingWithinAnEighthTurn) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        NebulaRig rig;
        rig.RaiseTo(level);
        rig.SpawnNear(0.0f, -50.0f);  // north
        const int shots = Sovia_Nebula::StreamShots(level);
        const int gap = Sovia_Nebula::StreamGap(level);
        const std::vector<int> fired = rig.FiringFrames(2 * shots * gap + 2);
        ASSERT_EQ(static_cast<int>(fired.size()), 2 * shots) << level;
        for (int i = 0; i < shots; ++i) {
            EXPECT_EQ(fired[static_cast<std::size_t>(i)], i * gap) << level;
            // The next stream starts once the last has had its full time.
            EXPECT_EQ(fired[static_cast<std::size_t>(shots + i)], shots * gap + 1 + i * gap) << level;
        }
        const float size = 15.0f + 0.5f * static_cast<float>(level);
        for (const auto& shot : rig.tower.Bullets()) {
            EXPECT_LE(std::fabs(Heading(*shot) + kPi / 2.0f), kPi / 8.0f + 1e-4f) << level;
            EXPECT_EQ(shot->width, size);
            EXPECT_NEAR(std::hypot(shot->ax, shot->ay), Sovia_Nebula::kAcceleration, 1e-5f);
            // A colour cell of row 12, one of seven.
            EXPECT_EQ(shot->vTop, 12.0f / 16.0f);
            EXPECT_LT(shot->uLeft, 7.0f / 8.0f);
        }
    }
}

TEST(Nebula, MoreShotsFasterWithEachLevel) {
    const int shots[] = {10, 12, 14, 16, 18, 24};
    const int gaps[] = {8, 7, 6, 5, 4, 3};
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        EXPECT_EQ(Sovia_Nebula::StreamShots(level), shots[level]) << level;
        EXPECT_EQ(Sovia_Nebula::StreamGap(level), gaps[level]) << level;
    }
}

TEST(Nebula, AStreamKeepsItsDirectionWhenTheTargetLeaves) {
    NebulaRig rig;
    Enemy& enemy = rig.SpawnNear(50.0f, 0.0f);  // east
    ASSERT_TRUE(rig.Frame());
    EXPECT_NEAR(rig.tower.Bullets().front()->vx, 0.15f, 0.08f);
    enemy.x = NebulaRig::kAt - 300.0f;
    const std::vector<int> fired = rig.FiringFrames(Sovia_Nebula::StreamShots(0) * Sovia_Nebula::StreamGap(0));
    EXPECT_EQ(static_cast<int>(fired.size()), Sovia_Nebula::StreamShots(0) - 1);
    for (const auto& shot : rig.tower.Bullets()) {
        EXPECT_LE(std::fabs(Heading(*shot)), kPi / 8.0f + 1e-4f);
    }
}

TEST(Nebula, ShotsStartSlowAndGatherSpeed) {
    NebulaRig rig;
    rig.SpawnNear(50.0f, 0.0f);
    ASSERT_TRUE(rig.Frame());
    const StraightBullet& shot = *rig.tower.Bullets().front();
    EXPECT_NEAR(Speed(shot), Sovia_Nebula::kStartSpeed + Sovia_Nebula::kAcceleration, 1e-5f);
}

}  // namespace
