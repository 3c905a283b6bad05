#include <gtest/gtest.h>

#include <cmath>

#include "bullet/HomingBullet.h"
#include "bullet/SunburstBullet.h"
#include "enemy/Enemy.h"
#include "tower/AmuletTanks.h"
#include "tower/SlotRig.h"

namespace {

constexpr int kPlot = 144;
constexpr float kTower = static_cast<float>(kPlot);

float Speed(const StraightBullet& shot) { return std::hypot(shot.vx, shot.vy); }

TEST(NearestEnemy, SkipsTheFieldEdgeTheDeadAndTheFarAndPrefersTheEarlierOnTies) {
    SlotRig rig;
    EXPECT_EQ(NearestEnemy(rig.enemies(), 100.0f, 100.0f), nullptr);
    rig.Spawn(0.0f, 100.0f);    // on the west edge
    rig.Spawn(432.0f, 100.0f);  // on the east edge
    rig.Spawn(100.0f, 432.0f);  // on the south edge
    rig.Spawn(101.0f, 100.0f).dead = 1;
    EXPECT_EQ(NearestEnemy(rig.enemies(), 100.0f, 100.0f), nullptr);
    Enemy& north = rig.Spawn(100.0f, 90.0f);
    rig.Spawn(110.0f, 100.0f);  // east, just as near
    EXPECT_EQ(NearestEnemy(rig.enemies(), 100.0f, 100.0f), &north);
    // 800 pixels away or more counts as nothing, even inside the field.
    EXPECT_EQ(NearestEnemy(rig.enemies(), 100.0f, -710.0f), nullptr);
    EXPECT_EQ(NearestEnemy(rig.enemies(), 100.0f, -709.0f), &north);
}

TEST(HomingBullet, TurnsTowardsItsTargetEveryFrameAndFliesStraightOnOnceItDies) {
    SlotRig rig;
    Enemy& enemy = rig.Spawn(200.0f, 100.0f);
    HomingBullet shot;
    shot.Create(&rig.field.device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    shot.SetMotion(3.0f, 0.0f, 0.0f, 0.0f);
    shot.target = enemy.Ref();

    enemy.y = 300.0f;  // the target moves south
    shot.Draw(1);
    EXPECT_FLOAT_EQ(shot.x, 103.0f);  // moved first, on the old heading
    EXPECT_NEAR(Speed(shot), 3.0f, 1e-5f);
    EXPECT_NEAR(std::atan2(shot.vy, shot.vx), std::atan2(200.0f, 97.0f), 1e-5f);
    EXPECT_NEAR(shot.angle, std::atan2(200.0f, 97.0f) - 1.570796f, 1e-5f);

    // Paused, it stays where it is but still faces the target.
    enemy.x = 103.0f;
    shot.Draw(0);
    EXPECT_FLOAT_EQ(shot.x, 103.0f);
    EXPECT_NEAR(shot.vx, 0.0f, 1e-5f);

    const float headingX = shot.vx;
    const float headingY = shot.vy;
    enemy.dead = 1;
    for (int frame = 0; frame < 5; ++frame) {
        shot.Draw(1);
    }
    EXPECT_FALSE(shot.target.Exists());
    EXPECT_EQ(shot.vx, headingX);
    EXPECT_EQ(shot.vy, headingY);
    EXPECT_NEAR(Speed(shot), 3.0f, 1e-5f);
}

TEST(HomingBullet, ADeletedTargetIsForgotten) {
    SlotRig rig;
    rig.Spawn(200.0f, 100.0f);
    HomingBullet shot;
    shot.Create(&rig.field.device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    shot.SetMotion(0.0f, 3.0f, 0.0f, 0.0f);
    shot.target = rig.enemies().front()->Ref();
    rig.enemies().clear();
    shot.Draw(1);
    EXPECT_FALSE(shot.target.Exists());
    EXPECT_FLOAT_EQ(shot.vy, 3.0f);
}

TEST(HomingAmulet, ShotsGrowWithTheLevelAndComeQuickerAtTheTop) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        SlotRig rig;
        Open<Ardel_HomingAmulet> tank(rig.context, kPlot, kPlot);
        RaiseTo(tank, level);
        rig.Spawn(kTower + 100.0f, kTower);
        std::vector<int> shots;
        for (int frame = 0; frame < 200; ++frame) {
            tank.Draw(true);
            if (tank.Fire(rig.enemies(), true)) {
                shots.push_back(frame);
            }
        }
        ASSERT_GE(shots.size(), 2u) << level;
        EXPECT_EQ(shots[1] - shots[0], level == tower::kMaxLevel ? 41 : 51) << level;
        const HomingBullet& shot = *tank.bullets.front();
        EXPECT_FLOAT_EQ(shot.width, 16.0f + 0.5f * static_cast<float>(level)) << level;
        EXPECT_FLOAT_EQ(shot.HitRadius(), 3.0f + 0.5f * static_cast<float>(level)) << level;
        EXPECT_FLOAT_EQ(shot.vTop, 1.0f / 16.0f) << level;
        EXPECT_FLOAT_EQ(shot.uLeft, static_cast<float>(level) / 8.0f) << level;
    }
}

TEST(HomingAmulet, AnAmuletFollowsAnEnemyThatMovesAwayAndHitsIt) {
    SlotRig rig;
    Open<Ardel_HomingAmulet> tank(rig.context, kPlot, kPlot);
    Enemy& enemy = rig.Spawn(kTower + 100.0f, kTower);
    SlotRig::Frame(tank, rig.enemies());
    ASSERT_EQ(tank.bullets.size(), 1u);
    enemy.x = kTower;
    enemy.y = kTower - 110.0f;  // out of the straight line at once
    for (int frame = 0; frame < 50 && enemy.hp == 1000000.0; ++frame) {
        SlotRig::Frame(tank, rig.enemies());
    }
    EXPECT_EQ(enemy.hp, 1000000.0 - tank.DamageNow());
}

TEST(BraskAmulet, TouchingTwiceWithinNineFramesDealsOneHit) {
    SlotRig rig;
    BraskAmuletBullet shot(3, 0, rig.enemies());
    shot.Create(&rig.field.device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    // Fresh from the tower it may not hit before its ninth frame either.
    for (int frame = 0; frame < 8; ++frame) {
        shot.Draw(1);
        EXPECT_FALSE(shot.TakeHit(1)) << frame;
    }
    shot.Draw(1);
    EXPECT_TRUE(shot.TakeHit(1));
    EXPECT_EQ(shot.HitsLeft(), 2);
    EXPECT_EQ(shot.vx, 0.0f);
    for (int frame = 0; frame < 8; ++frame) {
        shot.Draw(1);
        EXPECT_FALSE(shot.TakeHit(1)) << frame;
    }
    shot.Draw(1);
    EXPECT_TRUE(shot.TakeHit(1));
    EXPECT_EQ(shot.HitsLeft(), 1);
}

TEST(BraskAmulet, HitsTwoTimesPlusOnePerLevelThenFadesAway) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        SlotRig rig;
        Open<Ardel_BraskAmulet> tank(rig.context, kPlot, kPlot);
        RaiseTo(tank, level);
        Enemy& enemy = rig.Spawn(kTower + 40.0f, kTower + 30.0f);
        SlotRig::Frame(tank, rig.enemies());
        ASSERT_EQ(tank.bullets.size(), 1u);
        EXPECT_FLOAT_EQ(tank.bullets.front()->width, 16.0f + 2.0f * static_cast<float>(level));
        EXPECT_FLOAT_EQ(tank.bullets.front()->HitRadius(), 3.0f + static_cast<float>(level));
        // One amulet alone, run until it is spent and gone.
        int frames = 0;
        while (!tank.bullets.empty() && frames < 400) {
            tank.UpdateBullets(true);
            tank.HitTest(rig.enemies());
            ++frames;
        }
        EXPECT_TRUE(tank.bullets.empty()) << level;
        const double hits = (1000000.0 - enemy.hp) / tank.DamageNow();
        EXPECT_EQ(hits, Ardel_BraskAmulet::HitsAt(level)) << level;
        EXPECT_EQ(Ardel_BraskAmulet::HitsAt(level), 2 + level);
    }
}

TEST(BraskAmulet, AfterAHitItPausesThenSeeksTheNearestEnemyFasterEachFrame) {
    SlotRig rig;
    Enemy& near = rig.Spawn(160.0f, 100.0f);
    rig.Spawn(40.0f, 100.0f);  // farther
    BraskAmuletBullet shot(3, 0, rig.enemies());
    shot.Create(&rig.field.device, nullptr, 100.0f, 100.0f, 16.0f, 16.0f);
    for (int frame = 0; frame < 8; ++frame) {
        shot.Draw(1);
        EXPECT_FALSE(shot.target.Exists()) << frame;
    }
    shot.Draw(1);
    EXPECT_TRUE(shot.target.Is(&near));
    shot.Draw(1);
    EXPECT_NEAR(shot.vx, 1.03f, 1e-5f);
    EXPECT_NEAR(shot.ax, 0.05f * 1.03f, 1e-5f);
    shot.Draw(1);
    EXPECT_NEAR(shot.vx, 1.03f * 1.03f, 1e-5f);
    EXPECT_GT(shot.AfterImageCount(), 0);
}

TEST(Sunburst, TheBlastReachesHalfTheSealSizeWhichGrowsByThreePerLevel) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        SlotRig rig;
        Open<Ardel_Sunburst> tank(rig.context, kPlot, kPlot);
        RaiseTo(tank, level);
        rig.Spawn(kTower + 60.0f, kTower);
        ASSERT_TRUE(tank.Fire(rig.enemies(), true));
        ASSERT_EQ(tank.bullets.size(), static_cast<std::size_t>(Ardel_Sunburst::kSealsPerShot));
        for (const auto& seal : tank.bullets) {
            EXPECT_FLOAT_EQ(seal->BlastRadius(), (3.0f * static_cast<float>(level) + 42.0f) / 2.0f) << level;
        }
    }
}

TEST(Sunburst, AnEnemyExactlyOneBlastRadiusAwayIsHitOneJustBeyondIsNot) {
    SlotRig rig;
    Enemy& centre = rig.Spawn(100.0f, 100.0f);
    Enemy& edge = rig.Spawn(121.0f, 100.0f);
    Enemy& beyond = rig.Spawn(100.0f, 121.01f);
    SunburstBullet seal(rig.enemies());
    seal.Launch(&rig.field.device, nullptr, nullptr, 100.0f, 100.0f, 42.0f, 0.0f, 0.0f);
    seal.Explode(rig.enemies(), 30);
    EXPECT_TRUE(seal.Exploding());
    EXPECT_EQ(centre.hp, 1000000.0 - 30.0);
    EXPECT_EQ(edge.hp, 1000000.0 - 30.0);
    EXPECT_EQ(beyond.hp, 1000000.0);
}

TEST(Sunburst, ASealDriftsForThirtyFramesThenHomesInFasterEachFrame) {
    SlotRig rig;
    rig.Spawn(300.0f, 100.0f);
    SunburstBullet seal(rig.enemies());
    seal.Launch(&rig.field.device, nullptr, nullptr, 100.0f, 100.0f, 42.0f, 0.0f, 1.0f);
    for (int frame = 1; frame < 30; ++frame) {
        seal.Draw(1);
        EXPECT_FALSE(seal.Launched()) << frame;
    }
    EXPECT_FLOAT_EQ(seal.x, 100.0f);  // drifting south with the trail
    EXPECT_FLOAT_EQ(seal.y, 129.0f);
    seal.Draw(1);  // launched: the nearest enemy becomes the target
    EXPECT_TRUE(seal.Launched());
    EXPECT_TRUE(seal.target.Exists());
    seal.Draw(1);
    EXPECT_NEAR(seal.Speed(), 2.0f * 1.03f, 1e-5f);
    seal.Draw(1);
    EXPECT_NEAR(seal.Speed(), 2.0f * 1.03f * 1.03f, 1e-5f);
    rig.enemies().clear();  // the target vanishes: the seal slows to its first speed
    seal.Draw(1);
    EXPECT_FLOAT_EQ(seal.Speed(), 2.0f);
    EXPECT_FALSE(seal.target.Exists());
}

TEST(Sunburst, AVolleyOfSealsReachesAnEnemyAndEachBurstHurtsIt) {
    SlotRig rig;
    Open<Ardel_Sunburst> tank(rig.context, kPlot, kPlot);
    Enemy& enemy = rig.Spawn(kTower + 50.0f, kTower + 20.0f);
    for (int frame = 0; frame < 100; ++frame) {
        SlotRig::Frame(tank, rig.enemies());
    }
    EXPECT_EQ(enemy.hp, 1000000.0 - Ardel_Sunburst::kSealsPerShot * tank.DamageNow());
}

}  // namespace
