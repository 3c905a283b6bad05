#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "bullet/TerraRayBullet.h"
#include "enemy/Enemy.h"
#include "tower/SlotRig.h"
#include "tower/LaserTanks.h"

namespace {

constexpr int kPlot = 144;
constexpr float kTower = static_cast<float>(kPlot);
constexpr double kHealth = 1000000.0;

Enemy& SpawnFlyer(SlotRig& rig, float x, float y) { return rig.Spawn(x, y, 1000000, EnemyKind::Vernie); }

TEST(MirageLazer, ReachesForTheNearestEnemyOnTheGroundAndNeverForAFlyer) {
    SlotRig rig;
    Open<Sovia_MirageLazer> tank(rig.context, kPlot, kPlot);
    Enemy& flyer = SpawnFlyer(rig, kTower + 20.0f, kTower);
    EXPECT_FALSE(tank.Fire(rig.enemies(), true));
    rig.lockOn = flyer.Ref();  // even a locked-on flyer is passed over
    rig.Spawn(kTower, kTower + 60.0f);
    ASSERT_TRUE(tank.Fire(rig.enemies(), true));
    EXPECT_NEAR(tank.Direction(), 1.570796f, 1e-5f);
    for (int frame = 0; frame < 20; ++frame) {
        SlotRig::Frame(tank, rig.enemies());
    }
    EXPECT_EQ(flyer.hp, kHealth);
}

TEST(MirageLazer, StaysOnLongerWithEachLevelAndHurtsATenthOfTheDamageEachFrame) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        SlotRig rig;
        Open<Sovia_MirageLazer> tank(rig.context, kPlot, kPlot);
        RaiseTo(tank, level);
        Enemy& enemy = rig.Spawn(kTower + 80.0f, kTower - 10.0f);
        std::vector<int> starts;
        int onFrames = 0;
        bool wasOn = false;
        for (int frame = 0; frame < 600; ++frame) {
            SlotRig::Frame(tank, rig.enemies());
            SlotRig::Frame(tank, rig.enemies(), false);  // a paused frame changes nothing
            const bool on = tank.Laser() != nullptr;
            if (on && !wasOn) {
                starts.push_back(frame);
            }
            onFrames += on ? 1 : 0;
            wasOn = on;
        }
        ASSERT_EQ(starts.size(), 3u) << level;
        EXPECT_EQ(starts[1] - starts[0], level == tower::kMaxLevel ? 231 : 241) << level;
        EXPECT_EQ(onFrames, 3 * Sovia_MirageLazer::OnFrames(level)) << level;
        EXPECT_GT(Sovia_MirageLazer::OnFrames(level), level == 0 ? 0 : Sovia_MirageLazer::OnFrames(level - 1));
        EXPECT_NEAR(kHealth - enemy.hp, onFrames * tank.DamageNow() / 10.0, 1e-6) << level;
    }
}

TEST(MirageLazer, TurnsAfterItsTargetAtMostAFewHundredthsOfARadianAFrame) {
    SlotRig rig;
    Open<Sovia_MirageLazer> tank(rig.context, kPlot, kPlot);
    Enemy& enemy = rig.Spawn(kTower + 60.0f, kTower);
    ASSERT_TRUE(tank.Fire(rig.enemies(), true));
    enemy.x = kTower + 60.0f * std::cos(0.5f);  // half a radian round
    enemy.y = kTower + 60.0f * std::sin(0.5f);
    float last = tank.Direction();
    for (int frame = 0; frame < 15; ++frame) {
        SlotRig::Frame(tank, rig.enemies());
        EXPECT_LE(tank.Direction() - last, 0.0501f);
        last = tank.Direction();
    }
    EXPECT_NEAR(tank.Direction(), 0.5f, 1e-4f);
}

TEST(TerraRayBullet, TurnsPastTheEastEdgeOnARowAndAtTheSouthEdgeOnAColumn) {
    SlotRig rig;
    TerraRayBullet row;
    row.Setup(&rig.field.device, nullptr, nullptr, nullptr, 100.0f, 100.0f);
    row.Aim(0.0f, 100.0f, TerraRayBullet::kAxisRow);
    int frames = 0;
    while (row.CurrentPhase() == TerraRayBullet::Phase::Travelling && frames < 200) {
        row.Draw(1);
        ++frames;
        if (row.CurrentPhase() == TerraRayBullet::Phase::Travelling) {
            EXPECT_LE(row.x, 430.0f);
        }
    }
    EXPECT_GT(row.x, 430.0f);
    EXPECT_FLOAT_EQ(row.y, 100.0f);
    EXPECT_EQ(row.BeamDirX(), -1.0f);

    TerraRayBullet column;
    column.Setup(&rig.field.device, nullptr, nullptr, nullptr, 100.0f, 100.0f);
    column.Aim(100.0f, 0.0f, TerraRayBullet::kAxisColumn);
    while (column.CurrentPhase() == TerraRayBullet::Phase::Travelling && frames < 400) {
        column.Draw(1);
        ++frames;
    }
    EXPECT_GE(column.y, 430.0f);
    EXPECT_EQ(column.BeamDirY(), -1.0f);
    // It charges for 26 frames, fires, and is gone after 80 frames of firing.
    int charging = 0;
    while (column.CurrentPhase() == TerraRayBullet::Phase::Charging) {
        column.Draw(1);
        ++charging;
    }
    EXPECT_EQ(charging, 27);
    int firing = 0;
    while (column.alive) {
        column.Draw(1);
        ++firing;
    }
    EXPECT_EQ(firing, 80);
}

// A ray set off from (100, 100) along a row or a column and run until it stops at the edge.
void RunToTheEdge(SlotRig& rig, TerraRayBullet& ray, int axis) {
    ray.Setup(&rig.field.device, nullptr, nullptr, nullptr, 100.0f, 100.0f);
    ray.Aim(100.0f, 100.0f, axis);
    for (int frame = 0; frame < 400 && ray.CurrentPhase() == TerraRayBullet::Phase::Travelling; ++frame) {
        ray.Draw(1);
    }
    ASSERT_EQ(ray.CurrentPhase(), TerraRayBullet::Phase::Charging);
}

TEST(TerraRayBullet, TheSideBeamsStandAHundredPixelsBeyondTheStopAndReachBackAcrossTheField) {
    for (const int axis : {TerraRayBullet::kAxisRow, TerraRayBullet::kAxisColumn}) {
        SlotRig rig;
        TerraRayBullet ray;
        RunToTheEdge(rig, ray, axis);
        const float dirX = ray.BeamDirX();
        const float dirY = ray.BeamDirY();
        for (const Object2DVector* beam : {&ray.SideBeam(), &ray.OuterBeam()}) {
            EXPECT_FLOAT_EQ(beam->x, ray.BeamX() - 100.0f * dirX) << axis;
            EXPECT_FLOAT_EQ(beam->y, ray.BeamY() - 100.0f * dirY) << axis;
            // A strip reaches in screen direction angle + pi/2: back the way the ray came.
            EXPECT_NEAR(std::cos(beam->angle + 1.570796f), dirX, 1e-5f) << axis;
            EXPECT_NEAR(std::sin(beam->angle + 1.570796f), dirY, 1e-5f) << axis;
        }
        ray.Draw(1);
        EXPECT_EQ(ray.SideBeam().length, TerraRayBullet::kBeamLength) << axis;
        // The ray itself turns back along the beam it is about to fire.
        EXPECT_NEAR(std::cos(ray.angle + 1.570796f), dirX, 1e-5f) << axis;
        EXPECT_NEAR(std::sin(ray.angle + 1.570796f), dirY, 1e-5f) << axis;
    }
}

TEST(TerraRayBullet, BothGlowsSettleAtTwoHundredAndFiftyWhileCharging) {
    SlotRig rig;
    TerraRayBullet ray;
    RunToTheEdge(rig, ray, TerraRayBullet::kAxisRow);
    while (ray.CurrentPhase() == TerraRayBullet::Phase::Charging) {
        ray.Draw(1);
        ray.Draw(0);  // a paused frame changes nothing
    }
    for (const Object2D* glow : {&ray.Glow(), &ray.Muzzle()}) {
        EXPECT_EQ(glow->alpha, 250);
        EXPECT_EQ(glow->pulseStep, 0);
    }
}

TEST(TerraRayBullet, TheFiringBeamShootsOutSevenAFrameToFrameTwentyFourThenDrawsBackByFive) {
    SlotRig rig;
    TerraRayBullet ray;
    RunToTheEdge(rig, ray, TerraRayBullet::kAxisColumn);
    while (ray.CurrentPhase() == TerraRayBullet::Phase::Charging) {
        ray.Draw(1);
    }
    EXPECT_EQ(ray.FiringLength(), 0);
    int expected = 0;
    for (int frame = 1; frame <= 79; ++frame) {
        ray.Draw(1);
        ray.Draw(0);
        if (frame < 24) {
            expected += 7;
        } else if (frame > 24) {
            expected = std::max(0, expected - 5);
        }
        ASSERT_EQ(ray.FiringLength(), expected) << frame;
        // The ray is the firing beam: as long as the counter, as wide as the reach of its hits.
        EXPECT_FLOAT_EQ(ray.length, static_cast<float>(expected)) << frame;
        EXPECT_FLOAT_EQ(ray.width, 2.0f * ray.BeamHalfWidth()) << frame;
        if (frame == 24) {
            // Everything lights up at 250 and then fades by 5 a frame (one step taken already).
            const Sprite* parts[] = {&ray.Glow(), &ray.Muzzle(), &ray.SideBeam(), &ray.OuterBeam(), &ray};
            for (const Sprite* part : parts) {
                EXPECT_EQ(part->alpha, 245);
                EXPECT_EQ(part->pulseStep, 5);
            }
        }
    }
    EXPECT_EQ(expected, 0);
    EXPECT_TRUE(ray.alive);
    ray.Draw(1);
    EXPECT_FALSE(ray.alive);
}

TEST(TerraRay, ShootsOnlyAtFlyersOneRayEachAndThreeAtOnceOrFiveAtTheTop) {
    for (const int level : {0, 4, 5}) {
        SlotRig rig;
        Open<Sovia_TerraRay> tank(rig.context, kPlot, kPlot);
        RaiseTo(tank, level);
        rig.Spawn(kTower + 5.0f, kTower);  // on the ground, nearest: never a target
        for (int k = 0; k < 6; ++k) {
            SpawnFlyer(rig, kTower - 30.0f + 10.0f * static_cast<float>(k), kTower + 40.0f);
        }
        std::vector<int> shots;
        for (int frame = 0; frame < 60; ++frame) {
            tank.Draw(true);
            if (tank.Fire(rig.enemies(), true)) {
                shots.push_back(frame);
            }
            tank.UpdateBullets(true);
        }
        ASSERT_EQ(static_cast<int>(shots.size()), Sovia_TerraRay::MaxRays(level)) << level;
        for (std::size_t i = 1; i < shots.size(); ++i) {
            EXPECT_EQ(shots[i] - shots[i - 1], 6) << level;
        }
        // Each ray chases a flyer of its own, the first ones in the list.
        for (std::size_t i = 0; i < tank.bullets.size(); ++i) {
            EXPECT_TRUE(tank.bullets[i]->target.Is(rig.enemies()[i + 1].get())) << level;
        }
    }
    EXPECT_EQ(Sovia_TerraRay::MaxRays(4), 3);
    EXPECT_EQ(Sovia_TerraRay::MaxRays(5), 5);
}

TEST(TerraRay, ABeamHurtsEachFlyerOnItsLineOnceAndNothingOnTheGround) {
    SlotRig rig;
    Open<Sovia_TerraRay> tank(rig.context, kPlot, kPlot);
    Enemy& flyer = SpawnFlyer(rig, kTower + 30.0f, kTower);  // standing: the ray runs along its row
    Enemy& sameRow = SpawnFlyer(rig, 20.0f, kTower + 3.0f);  // out of range, but on the beam's line
    Enemy& walker = rig.Spawn(kTower + 60.0f, kTower);
    for (int frame = 0; frame < 400; ++frame) {
        SlotRig::Frame(tank, rig.enemies());
        if (frame == 0) {
            ASSERT_EQ(tank.bullets.size(), 1u);
        }
        // No second ray: the only flyer in range is chased already, then it has been hit.
        EXPECT_LE(tank.bullets.size(), 1u);
        if (!tank.bullets.empty()) {
            ASSERT_TRUE(tank.bullets.front()->target.Is(&flyer));
        }
    }
    EXPECT_GE(kHealth - flyer.hp, tank.DamageNow());
    EXPECT_EQ(std::fmod(kHealth - flyer.hp, tank.DamageNow()), 0.0);
    EXPECT_EQ(kHealth - sameRow.hp, (kHealth - flyer.hp));
    EXPECT_EQ(walker.hp, kHealth);
}

}  // namespace
