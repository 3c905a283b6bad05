#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tower/Ardel_Pebble.h"
#include "tower/KindRig.h"
#include "tower/TowerBench.h"

namespace {

using Rig = KindRig<Ardel_Pebble>;

// Seals fired in the frame just run: they have moved once.
int FreshSeals(const Rig& rig) {
    int fresh = 0;
    for (const auto& seal : rig.tower.Bullets()) {
        fresh += seal->age == 1 ? 1 : 0;
    }
    return fresh;
}

struct Volley {
    int frame;
    int seals;
};

std::vector<Volley> Volleys(Rig& rig, int frames) {
    std::vector<Volley> volleys;
    for (int frame = 0; frame < frames; ++frame) {
        rig.Frame();
        if (const int fresh = FreshSeals(rig); fresh > 0) {
            volleys.push_back({frame, fresh});
        }
    }
    return volleys;
}

TEST(Pebble, EachLevelFiresItsVolleysOnScheduleWhileATargetStays) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        Rig rig;
        rig.RaiseTo(level);
        rig.SpawnNear(40.0f, 0.0f);
        const int interval = rig.tower.FireInterval();
        const int first = Ardel_Pebble::FirstVolley(level);
        const int second = Ardel_Pebble::SecondVolley(level);
        // Armed in frame 0 (the new tower's clock is full), the first volley 5 frames on; the
        // sequence ends with the last volley and re-arms when the clock passes the interval.
        const int sequenceEnd = second == 0 ? 5 : 40;
        const int period = sequenceEnd + interval + 1;
        std::vector<Volley> expected;
        for (int sequence = 0; sequence < 3; ++sequence) {
            const int start = sequence * period;
            expected.push_back({start + 5, first});
            if (second != 0) {
                expected.push_back({start + 40, second});
            }
        }
        const std::vector<Volley> seen = Volleys(rig, expected.back().frame + 1);
        ASSERT_EQ(seen.size(), expected.size()) << "level " << level;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].frame, expected[i].frame) << "level " << level << " volley " << i;
            EXPECT_EQ(seen[i].seals, expected[i].seals) << "level " << level << " volley " << i;
        }
    }
}

TEST(Pebble, VolleySizesGrowWithLevel) {
    EXPECT_EQ(Ardel_Pebble::FirstVolley(0), 12);
    EXPECT_EQ(Ardel_Pebble::SecondVolley(0), 0);
    EXPECT_EQ(Ardel_Pebble::FirstVolley(3), 13);
    EXPECT_EQ(Ardel_Pebble::SecondVolley(3), 9);
    for (int level = 1; level <= tower::kMaxLevel; ++level) {
        EXPECT_GE(Ardel_Pebble::FirstVolley(level) + Ardel_Pebble::SecondVolley(level),
                  Ardel_Pebble::FirstVolley(level - 1) + Ardel_Pebble::SecondVolley(level - 1));
    }
}

TEST(Pebble, ASecondVolleyIsLostWhenTheTargetLeavesAndTheSequenceStillEnds) {
    Rig rig;
    rig.RaiseTo(3);
    Enemy& enemy = rig.SpawnNear(40.0f, 0.0f);
    for (int frame = 0; frame <= 5; ++frame) {
        rig.Frame();
    }
    ASSERT_EQ(rig.tower.Bullets().size(), 13u);
    enemy.x = Rig::kAt + 200.0f;  // out of range before the second volley
    for (int frame = 6; frame <= 40; ++frame) {
        rig.Frame();
        ASSERT_EQ(FreshSeals(rig), 0) << frame;
    }
    EXPECT_TRUE(rig.tower.VolleyArmed());
    EXPECT_EQ(rig.tower.VolleyTick(), 40);
    rig.Frame();  // tick 41: the sequence ends without an enemy in range
    EXPECT_FALSE(rig.tower.VolleyArmed());
    EXPECT_EQ(rig.tower.FireCounter(), 0);
    // Back in range, the next sequence waits for the clock.
    enemy.x = Rig::kAt + 40.0f;
    const std::vector<Volley> next = Volleys(rig, 200);
    ASSERT_FALSE(next.empty());
    EXPECT_EQ(next.front().frame, 140 + 5);
    EXPECT_EQ(next.front().seals, 13);
}

TEST(Pebble, AVolleyFallingDueWithoutATargetIsSkipped) {
    Rig rig;
    Enemy& enemy = rig.SpawnNear(40.0f, 0.0f);
    rig.Frame();  // armed
    enemy.x = Rig::kAt + 200.0f;
    for (int frame = 1; frame < 50; ++frame) {
        rig.Frame();
    }
    EXPECT_TRUE(rig.tower.Bullets().empty());
    EXPECT_FALSE(rig.tower.VolleyArmed());
}

TEST(Pebble, ABuildAnimationDisarmsTheSequence) {
    TowerBench bench;
    const auto& pebble = static_cast<const Ardel_Pebble&>(bench.Place(6, Rig::kPlot, Rig::kPlot));
    bench.SpawnAt(Rig::kAt + 40.0f, Rig::kAt);
    bench.Frame();
    bench.Frame();
    ASSERT_TRUE(pebble.VolleyArmed());
    bench.Select(pebble);
    bench.PressKey(kKeyU);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, false);
    bench.ReleaseKeys();
    bench.Frame();
    EXPECT_TRUE(pebble.IsBusy());
    EXPECT_FALSE(pebble.VolleyArmed());
    EXPECT_EQ(pebble.VolleyTick(), 0);
}

TEST(Pebble, SealsBurstEvenlyHaltAndConvergeOnTheTarget) {
    Rig rig;
    // Beyond the ring where the burst halts (44 pixels out), so no seal hits it on the way.
    Enemy& enemy = rig.SpawnNear(60.0f, 25.0f);
    for (int frame = 0; frame <= 5; ++frame) {
        rig.Frame();
    }
    const auto& seals = rig.tower.Bullets();
    ASSERT_EQ(seals.size(), 12u);
    for (std::size_t i = 0; i < seals.size(); ++i) {
        const float a = static_cast<float>(i) * 2.0f * std::numbers::pi_v<float> / 12.0f;
        // One running frame already: the speed lost a sixtieth.
        EXPECT_NEAR(seals[i]->vx, std::cos(a) * 1.5f * 59.0f / 60.0f, 1e-4f) << i;
        EXPECT_NEAR(seals[i]->vy, std::sin(a) * 1.5f * 59.0f / 60.0f, 1e-4f) << i;
        EXPECT_EQ(seals[i]->width, 12.0f);
        EXPECT_EQ(seals[i]->HitRadius(), 3.0f);
        EXPECT_TRUE(seals[i]->waiting);
    }
    // The enemy moves before the turn: the seals aim where it stands when they turn.
    enemy.x = Rig::kAt - 20.0f;
    enemy.y = Rig::kAt - 62.0f;
    for (int frame = 0; frame < 59; ++frame) {
        rig.Frame();
    }
    ASSERT_TRUE(seals.front()->waiting);  // age 60
    rig.Frame();
    for (const auto& seal : seals) {
        EXPECT_FALSE(seal->waiting);
        EXPECT_EQ(seal->ax, 0.0f);
        EXPECT_NEAR(std::hypot(seal->vx, seal->vy), 3.0f, 1e-4f);
        const float toX = enemy.x - seal->x;
        const float toY = enemy.y - seal->y;
        // Heading at the enemy: the velocity is parallel to the way there.
        EXPECT_NEAR(seal->vx * toY - seal->vy * toX, 0.0f, 0.05f * std::hypot(toX, toY));
        EXPECT_GT(seal->vx * toX + seal->vy * toY, 0.0f);
    }
}

TEST(Pebble, SealsWhoseTargetDiedFlyToWhereItWasLastSeen) {
    Rig rig;
    Enemy& enemy = rig.SpawnNear(62.0f, 0.0f);
    for (int frame = 0; frame <= 5; ++frame) {
        rig.Frame();
    }
    enemy.x = Rig::kAt - 40.0f;
    enemy.y = Rig::kAt + 50.0f;
    rig.Frame();  // seen here
    const float lastX = enemy.x;
    const float lastY = enemy.y;
    enemy.dead = 1;
    enemy.x = Rig::kAt + 300.0f;
    for (int frame = 0; frame < 60; ++frame) {
        rig.Frame();
    }
    for (const auto& seal : rig.tower.Bullets()) {
        ASSERT_FALSE(seal->waiting);
        const float toX = lastX - seal->x;
        const float toY = lastY - seal->y;
        EXPECT_NEAR(seal->vx * toY - seal->vy * toX, 0.0f, 0.05f * std::hypot(toX, toY));
        EXPECT_FALSE(seal->target.Exists());
    }
}

TEST(Pebble, AtTheTurnTheLockOnTargetWinsWhereverItIs) {
    Rig rig;
    rig.SpawnNear(62.0f, 0.0f);
    Enemy& locked = rig.SpawnNear(-300.0f, 10.0f);  // far out of range
    rig.lockOn = locked.Ref();
    for (int frame = 0; frame <= 5; ++frame) {
        rig.Frame();
    }
    // Out of range, the lock-on target is not the volley's target...
    for (const auto& seal : rig.tower.Bullets()) {
        EXPECT_FALSE(seal->target.Is(&locked));
    }
    for (int frame = 0; frame < 60; ++frame) {
        rig.Frame();
    }
    // ...but the seals turn towards it.
    for (const auto& seal : rig.tower.Bullets()) {
        ASSERT_FALSE(seal->waiting);
        EXPECT_LT(seal->vx, 0.0f);
    }
}

TEST(Pebble, ALockOnTargetWithinTheRangeIsTheVolleysTarget) {
    Rig rig;
    rig.SpawnNear(20.0f, 0.0f);
    Enemy& locked = rig.SpawnNear(0.0f, 65.0f);
    rig.lockOn = locked.Ref();
    for (int frame = 0; frame <= 5; ++frame) {
        rig.Frame();
    }
    ASSERT_FALSE(rig.tower.Bullets().empty());
    for (const auto& seal : rig.tower.Bullets()) {
        EXPECT_TRUE(seal->target.Is(&locked));
    }
}

TEST(Pebble, SeveralSealsMayHitOneEnemyInAFrame) {
    Rig rig;
    Enemy& enemy = rig.SpawnNear(0.0f, 0.0f, EnemyKind::RedFairy, 1000);
    for (int frame = 0; frame <= 5; ++frame) {
        rig.Frame();
    }
    // All twelve seals start on the tower, where the enemy stands.
    EXPECT_EQ(enemy.hp, 1000.0 - 12.0 * rig.tower.DamageNow());
    for (const auto& seal : rig.tower.Bullets()) {
        EXPECT_FALSE(seal->alive);
    }
}

}  // namespace
