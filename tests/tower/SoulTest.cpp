#include <gtest/gtest.h>

#include <algorithm>

#include "enemy/Enemy.h"
#include "tower/SlotRig.h"
#include "tower/SoulTanks.h"
#include "tower/TowerBench.h"

namespace {

constexpr int kPlot = 144;
constexpr float kTower = static_cast<float>(kPlot);

TEST(SoulTowers, StandAtTheTopLevelAndNeverGoUp) {
    for (int character = 0; character < 2; ++character) {
        TowerBench bench(character);
        cBaseCharacterTank& soul = bench.Place(tower::kSoulKind, kPlot, kPlot);
        const int points = bench.counters.points;
        for (const bool prep : {true, false}) {
            bench.prep = prep;
            bench.Select(soul);
            bench.PressKey(kKeyU);
            bench.ch().UpgradeSelected(bench.input, bench.counters.points, prep);
            bench.ReleaseKeys();
            for (int frame = 0; frame < 300; ++frame) {
                bench.Frame();
            }
            soul.LevelUp();
        }
        EXPECT_EQ(soul.Level(), tower::kMaxLevel) << character;
        EXPECT_FALSE(soul.IsBusy()) << character;
        EXPECT_EQ(bench.counters.points, points) << character;
        EXPECT_EQ(soul.Value(), 30) << character;
        EXPECT_EQ(soul.DamageNow(), 0) << character;
    }
}

// Runs the soul for a frame and tells whether the enemy was exposed in it, then lets the
// exposure lapse as the enemy's own frame would.
bool ExposedInFrame(SlotRig& rig, cBaseCharacterTank& soul, Enemy& enemy) {
    SlotRig::Frame(soul, rig.enemies());
    const bool exposed = enemy.exposeFrames == 2;
    enemy.exposeFrames = 0;
    return exposed;
}

TEST(ArdelSoul, TheSpreadingRingExposesGhostsItHasReachedWithinEightyPixels) {
    SlotRig rig;
    Ardel_Soul soul(rig.context, kPlot, kPlot);
    Enemy& ghost = rig.Spawn(kTower + 50.0f, kTower, 1000, EnemyKind::Ghost);
    Enemy& bigGhost = rig.Spawn(kTower, kTower - 79.0f, 1000, EnemyKind::Ghost);  // the ring reaches 79.5
    bigGhost.kind = KindId(EnemyKind::Ghost, true);
    Enemy& far = rig.Spawn(kTower - 80.5f, kTower, 1000, EnemyKind::Ghost);
    Enemy& fairy = rig.Spawn(kTower + 10.0f, kTower);
    int exposedFrames = 0;
    bool sawBigGhost = false;
    bool wrapped = false;
    float lastRadius = 0.0f;
    for (int frame = 0; frame < 120; ++frame) {
        const bool exposed = ExposedInFrame(rig, soul, ghost);
        EXPECT_EQ(exposed, soul.Radius() >= 50.0f) << frame;
        exposedFrames += exposed ? 1 : 0;
        sawBigGhost = sawBigGhost || bigGhost.exposeFrames == 2;
        bigGhost.exposeFrames = 0;
        EXPECT_EQ(far.exposeFrames, 0);
        EXPECT_EQ(fairy.exposeFrames, 0);
        wrapped = wrapped || soul.Radius() < lastRadius;
        lastRadius = soul.Radius();
    }
    EXPECT_GT(exposedFrames, 0);
    EXPECT_TRUE(sawBigGhost);
    EXPECT_TRUE(wrapped);  // past 160 the counter starts again
}

TEST(ArdelSoul, AnExposedGhostIsNotExposedAgainUntilItLapses) {
    SlotRig rig;
    Ardel_Soul soul(rig.context, kPlot, kPlot);
    Enemy& ghost = rig.Spawn(kTower + 1.0f, kTower, 1000, EnemyKind::Ghost);
    ghost.exposeFrames = 1;
    SlotRig::Frame(soul, rig.enemies());
    EXPECT_EQ(ghost.exposeFrames, 1);
    ghost.dead = 1;
    ghost.exposeFrames = 0;
    SlotRig::Frame(soul, rig.enemies());
    EXPECT_EQ(ghost.exposeFrames, 0);
}

TEST(SoviaSoul, TheStripReachesFortyPixelsBehindAndTheRangeAhead) {
    SlotRig rig;
    Sovia_Soul soul(rig.context, kPlot, kPlot);
    Enemy& ahead = rig.Spawn(kTower + 100.0f, kTower, 1000, EnemyKind::Ghost);
    Enemy& behind = rig.Spawn(kTower - 35.0f, kTower, 1000, EnemyKind::Ghost);
    Enemy& beyond = rig.Spawn(kTower + 115.0f + 20.0f, kTower, 1000, EnemyKind::Ghost);
    Enemy& aside = rig.Spawn(kTower, kTower + 60.0f, 1000, EnemyKind::Ghost);
    SlotRig::Frame(soul, rig.enemies());
    EXPECT_EQ(ahead.exposeFrames, 2);
    EXPECT_EQ(behind.exposeFrames, 2);
    EXPECT_EQ(beyond.exposeFrames, 0);
    EXPECT_EQ(aside.exposeFrames, 0);
    EXPECT_GT(ahead.hitRadius, 0.0f);
}

TEST(SoviaSoul, TheStripTurnsRoundAndBreathesBetweenTwoWidths) {
    SlotRig rig;
    Sovia_Soul soul(rig.context, kPlot, kPlot);
    Enemy& south = rig.Spawn(kTower, kTower + 60.0f, 1000, EnemyKind::Ghost);
    int firstExposure = -1;
    float narrowest = 100.0f;
    float widest = 0.0f;
    for (int frame = 0; frame < 400; ++frame) {
        if (ExposedInFrame(rig, soul, south) && firstExposure < 0) {
            firstExposure = frame;
        }
        narrowest = std::min(narrowest, soul.HalfWidth());
        widest = std::max(widest, soul.HalfWidth());
    }
    // A quarter turn at 0.02 a frame, less the strip's and the ghost's half widths.
    EXPECT_GT(firstExposure, 50);
    EXPECT_LT(firstExposure, 79);
    EXPECT_NEAR(narrowest, 10.0f, 0.05f);
    EXPECT_NEAR(widest, 18.0f, 0.05f);
}

}  // namespace
