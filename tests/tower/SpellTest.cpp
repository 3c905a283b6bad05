#include <gtest/gtest.h>

#include <cmath>

#include "bullet/LazerBullet.h"
#include "enemy/Enemy.h"
#include "tower/SlotRig.h"
#include "tower/SpellTanks.h"
#include "tower/TowerBench.h"

namespace {

constexpr int kPlot = 144;
constexpr float kTower = static_cast<float>(kPlot);
constexpr double kHealth = 1000000.0;

TEST(BeamTouches, APointLevelWithTheStartOrExactlyAtTheEdgeIsMissed) {
    // Beside the start: d . v = 0.
    EXPECT_FALSE(BeamTouches(0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 5.0f, 10.0f, 10.0f, -1.0f));
    // Behind the start.
    EXPECT_FALSE(BeamTouches(0.0f, 0.0f, 1.0f, 0.0f, -1.0f, 0.0f, 10.0f, 10.0f, -1.0f));
    // Axis distance 12 against r + w = 4 + 8: the edge itself does not count.
    EXPECT_FALSE(BeamTouches(0.0f, 0.0f, 1.0f, 0.0f, 50.0f, 12.0f, 4.0f, 8.0f, -1.0f));
    EXPECT_TRUE(BeamTouches(0.0f, 0.0f, 1.0f, 0.0f, 50.0f, 11.99f, 4.0f, 8.0f, -1.0f));
    // The direction's length does not matter.
    EXPECT_TRUE(BeamTouches(0.0f, 0.0f, 0.0f, 100.0f, -3.0f, 20.0f, 4.0f, 8.0f, -1.0f));
}

TEST(BeamTouches, ANegativeLengthIsEndlessAPositiveOneReachesByTheRadius) {
    EXPECT_TRUE(BeamTouches(10.0f, 10.0f, 1.0f, 1.0f, 5000.0f, 5000.0f, 1.0f, 1.0f, -1.0f));
    EXPECT_FALSE(BeamTouches(10.0f, 10.0f, 1.0f, 1.0f, 5000.0f, 5000.0f, 1.0f, 1.0f, 100.0f));
    // Along the beam 105 with radius 6: 99 < 100 reaches, radius 4 does not (101).
    EXPECT_TRUE(BeamTouches(0.0f, 0.0f, 1.0f, 0.0f, 105.0f, 0.0f, 6.0f, 1.0f, 100.0f));
    EXPECT_FALSE(BeamTouches(0.0f, 0.0f, 1.0f, 0.0f, 105.0f, 0.0f, 4.0f, 1.0f, 100.0f));
}

// Runs the barrier to its end; the frames in which the tower stood are returned.
int RunBarrier(SlotRig& rig, Ardel_Bomb& spell) {
    spell.Activate();
    int frames = 0;
    while (spell.IsAlive() && frames < 500) {
        SlotRig::Frame(spell, rig.enemies());
        // Paused frames change nothing.
        SlotRig::Frame(spell, rig.enemies(), false);
        ++frames;
    }
    return frames;
}

TEST(Barrier, AnEnemyInsideTakesTheWholeDamageOverOneHundredAndOneFramesAndIsHeldFromLevelOne) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        SlotRig rig;
        Ardel_Bomb spell(rig.context, kPlot, kPlot);
        RaiseTo(spell, level);
        const float range = static_cast<float>(spell.EffectiveRange());
        Enemy& inside = rig.Spawn(kTower + range, kTower);  // on the edge: inside
        Enemy& outside = rig.Spawn(kTower, kTower - range - 0.5f);
        const int frames = RunBarrier(rig, spell);
        EXPECT_EQ(frames, Ardel_Bomb::kSpellFrames + 1) << level;  // the last one ends it
        EXPECT_EQ(spell.SpellFrame(), Ardel_Bomb::kSpellFrames) << level;
        EXPECT_NEAR(kHealth - inside.hp, spell.DamageNow(), 1e-6) << level;
        EXPECT_EQ(outside.hp, kHealth) << level;
        EXPECT_EQ(inside.shakeFrames, Ardel_Bomb::StunFrames(level)) << level;
        EXPECT_EQ(outside.shakeFrames, 0) << level;
    }
    EXPECT_EQ(Ardel_Bomb::StunFrames(0), 0);
    EXPECT_EQ(Ardel_Bomb::StunFrames(1), 120);
    EXPECT_EQ(Ardel_Bomb::StunFrames(5), 360);
}

TEST(Barrier, BeforeItIsTriggeredItIsAnOrdinaryTowerThatDoesNothing) {
    SlotRig rig;
    Ardel_Bomb spell(rig.context, kPlot, kPlot);
    Enemy& enemy = rig.Spawn(kTower + 10.0f, kTower);
    for (int frame = 0; frame < 200; ++frame) {
        SlotRig::Frame(spell, rig.enemies());
    }
    EXPECT_TRUE(spell.IsAlive());
    EXPECT_FALSE(spell.IsActivated());
    EXPECT_EQ(enemy.hp, kHealth);
}

TEST(Spells, SoldDuringTheWavesTheyAreCastAndGoWithoutRefundSoldInPreparationTheyAreRefunded) {
    for (int character = 0; character < 2; ++character) {
        for (const bool prep : {false, true}) {
            TowerBench bench(character);
            bench.prep = prep;
            cBaseCharacterTank& spell = bench.Place(tower::kSpellKind, kPlot, kPlot);
            Enemy& enemy = bench.SpawnAt(kTower + 20.0f, kTower, 1000000);
            const int points = bench.counters.points;
            const int value = spell.Value();
            bench.Select(spell);
            bench.PressKey(kKeyS);
            bench.ch().SellSelected(bench.input, prep, false);
            bench.ReleaseKeys();
            int frames = 0;
            while (!bench.ch().Towers(tower::kSpellKind).empty() && frames < 1000) {
                bench.Frame();
                ++frames;
            }
            EXPECT_TRUE(bench.ch().Towers(tower::kSpellKind).empty()) << character << prep;
            if (prep) {
                EXPECT_EQ(bench.counters.points, points + value) << character;
                EXPECT_EQ(enemy.hp, kHealth) << character;
            } else {
                EXPECT_EQ(bench.counters.points, points) << character;
                EXPECT_LT(enemy.hp, kHealth) << character;
            }
        }
    }
}

TEST(Spells, ReplacedTheyAreTakenDownUncastAndTheNewTowerStands) {
    for (int character = 0; character < 2; ++character) {
        for (const bool prep : {false, true}) {
            TowerBench bench(character);
            bench.prep = prep;
            cBaseCharacterTank& spell = bench.Place(tower::kSpellKind, kPlot, kPlot);
            const int value = spell.Value();
            // Inside the barrier's range and on the beam's line towards the pointer.
            Enemy& enemy = bench.SpawnAt(kTower + 20.0f, kTower, 1000000);
            bench.Select(spell);
            bench.input.SetMouse(kPlot + 60, kPlot);
            const int before = bench.counters.points;
            bench.ch().cursor.SetMode(TankObject::kSelectReplace);
            bench.PressKey(kKey1);  // the basic kind, 3 P
            bench.ch().ReplaceSelected(bench.input, bench.counters.points, bench.prep);
            bench.ReleaseKeys();
            int frames = 0;
            while (bench.ch().Towers(1).empty() && frames < 1000) {
                const auto& spells = bench.ch().Towers(tower::kSpellKind);
                ASSERT_TRUE(spells.empty() || !spells.front()->IsActivated()) << character << prep << " " << frames;
                bench.Frame();
                ++frames;
            }
            EXPECT_TRUE(bench.ch().Towers(tower::kSpellKind).empty()) << character << prep;
            ASSERT_EQ(bench.ch().Towers(1).size(), 1u) << character << prep;
            EXPECT_EQ(bench.ch().Towers(1).front()->X(), kPlot);
            EXPECT_EQ(bench.ch().Towers(1).front()->Level(), 0);
            // In preparation at once and refunded in full; during the waves after the tower's
            // sale animation, and like a cast spell it refunds nothing.
            if (prep) {
                EXPECT_EQ(frames, 0) << character;
            } else {
                EXPECT_GT(frames, 40) << character;
            }
            EXPECT_EQ(bench.counters.points, before - 3 + (prep ? value : 0)) << character << prep;
            // The new tower's first shot is still on its way.
            EXPECT_EQ(enemy.hp, kHealth) << character << prep;
            EXPECT_EQ(enemy.shakeFrames, 0) << character << prep;
        }
    }
}

struct BeamRun {
    int firstHitFrame = 0;
    int hitFrames = 0;
    int framesAlive = 0;
};

// Triggers the beam with the pointer due east and runs it out.
BeamRun RunBeam(SlotRig& rig, Sovia_Bomb& spell, Enemy& enemy) {
    rig.pointer = tower::Pointer{kPlot + 100, kPlot};
    spell.Activate();
    BeamRun run;
    double before = enemy.hp;
    while (spell.IsAlive() && run.framesAlive < 1000) {
        SlotRig::Frame(spell, rig.enemies());
        SlotRig::Frame(spell, rig.enemies(), false);
        ++run.framesAlive;
        if (enemy.hp < before) {
            run.firstHitFrame = run.firstHitFrame == 0 ? run.framesAlive : run.firstHitFrame;
            ++run.hitFrames;
            EXPECT_DOUBLE_EQ(before - enemy.hp, Sovia_Bomb::DamagePerFrame(spell.Level()));
            EXPECT_EQ(enemy.shakeFrames, 2);
            before = enemy.hp;
        }
    }
    return run;
}

TEST(GreatBeam, HurtsFromItsEleventhFrameThroughFrameOneHundredTenPlusTwentyPerLevel) {
    const double totals[] = {150.0, 360.0, 840.0, 1920.0, 4320.0, 9600.0};
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        SlotRig rig;
        Sovia_Bomb spell(rig.context, kPlot, kPlot);
        RaiseTo(spell, level);
        Enemy& far = rig.Spawn(420.0f, kTower + 20.0f);  // far down the beam, off its axis
        const BeamRun run = RunBeam(rig, spell, far);
        EXPECT_EQ(run.firstHitFrame, 11) << level;
        EXPECT_EQ(run.hitFrames, 100 + 20 * level) << level;
        EXPECT_DOUBLE_EQ(kHealth - far.hp, totals[level]) << level;
        // From level 1 the total is the figure the shop and panel show.
        if (level >= 1) {
            EXPECT_EQ(totals[level], spell.DamageNow()) << level;
        }
        EXPECT_GT(run.framesAlive, Sovia_Bomb::LastFiringFrame(level)) << level;
    }
}

TEST(GreatBeam, MissesWhatLiesBesideOrBehindIt) {
    SlotRig rig;
    Sovia_Bomb spell(rig.context, kPlot, kPlot);
    Enemy& aside = rig.Spawn(300.0f, kTower + 32.0f + 0.0f);
    aside.hitRadius = 0.0f;  // exactly the half width off the axis
    Enemy& behind = rig.Spawn(kTower - 50.0f, kTower);
    Enemy& inside = rig.Spawn(300.0f, kTower);
    RunBeam(rig, spell, inside);
    EXPECT_EQ(aside.hp, kHealth);
    EXPECT_EQ(behind.hp, kHealth);
    EXPECT_LT(inside.hp, kHealth);
}

TEST(GreatBeam, FollowsThePointerWhileItChargesAndHoldsItsLineOnceItFires) {
    SlotRig rig;
    Sovia_Bomb spell(rig.context, kPlot, kPlot);
    rig.pointer = tower::Pointer{kPlot, kPlot + 50};  // south
    spell.Activate();
    SlotRig::Frame(spell, rig.enemies());
    EXPECT_NEAR(spell.Beam()->Angle(), 1.570796f, 1e-5f);
    rig.pointer = tower::Pointer{kPlot - 50, kPlot};  // west
    for (int frame = 2; frame <= GreatBeamBullet::kChargeFrames; ++frame) {
        SlotRig::Frame(spell, rig.enemies());
    }
    EXPECT_NEAR(std::fabs(spell.Beam()->Angle()), 3.141593f, 1e-5f);
    const float held = spell.Beam()->Angle();
    rig.pointer = tower::Pointer{kPlot + 50, kPlot};  // east: too late
    SlotRig::Frame(spell, rig.enemies());
    SlotRig::Frame(spell, rig.enemies());
    EXPECT_TRUE(spell.Beam()->Firing());
    EXPECT_EQ(spell.Beam()->Angle(), held);
}

}  // namespace
