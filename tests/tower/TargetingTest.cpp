#include <gtest/gtest.h>

#include <cmath>

#include "tower/TankNormal.h"
#include "tower/TowerAssets.h"
#include "tower/TowerBench.h"

namespace {

constexpr int kPlot = 144;
constexpr float kTower = static_cast<float>(kPlot);

// A basic tower built by hand, so a test can call its slots and look at its shots.
template <class Kind>
struct Exposed : Kind {
    using Kind::Kind;
    using Kind::bullets;
};

struct Rig {
    explicit Rig(const EnemyRef* lockOn = &none) : context{&field.device, &buildFlag, &counters, lockOn, &assets} {}

    // Adds a shot standing still at the point.
    template <class Tank>
    StraightBullet& AddShot(Tank& tank, float x, float y) {
        auto shot = std::make_unique<StraightBullet>();
        shot->Create(&field.device, nullptr, x, y, 16.0f, 16.0f);
        shot->SetHitRadius(3.0f);
        tank.bullets.push_back(std::move(shot));
        return *tank.bullets.back();
    }

    static inline const EnemyRef none;
    EnemyTestField field;
    bool buildFlag = false;
    StageCounters counters;
    TowerAssets assets;
    TowerContext context;
};

// The angle of the tower's newest shot.
float ShotAngle(const std::vector<std::unique_ptr<StraightBullet>>& shots) {
    return std::atan2(shots.back()->vy, shots.back()->vx);
}

TEST(Targeting, OnlyEnemiesStrictlyCloserThanTheRangeAreShotAt) {
    Rig rig;
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    Enemy& enemy = rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 60.0f, kTower);
    EXPECT_FALSE(tank.Fire(rig.field.field.Enemies(), true));
    enemy.x = kTower + 59.9f;
    EXPECT_TRUE(tank.Fire(rig.field.field.Enemies(), true));
    EXPECT_EQ(tank.bullets.size(), 1u);
}

TEST(Targeting, OnEqualDistancesTheEarlierEnemyIsShotAt) {
    Rig rig;
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    rig.field.Spawn(EnemyKind::RedFairy, 1, kTower, kTower + 30.0f);  // south, earlier in the list
    rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 30.0f, kTower);  // east
    ASSERT_TRUE(tank.Fire(rig.field.field.Enemies(), true));
    EXPECT_NEAR(ShotAngle(tank.bullets), 1.5708f, 1e-4f);
}

TEST(Targeting, ALockOnTargetInRangeIsPreferredAndOneOutOfRangeIgnored) {
    EnemyRef lockOn;
    Rig rig(&lockOn);
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    EnemyList& enemies = rig.field.field.Enemies();
    rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 20.0f, kTower);  // nearest, east
    Enemy& locked = rig.field.Spawn(EnemyKind::RedFairy, 1, kTower, kTower + 55.0f);
    lockOn = locked.Ref();

    ASSERT_TRUE(tank.Fire(enemies, true));
    EXPECT_NEAR(ShotAngle(tank.bullets), 1.5708f, 1e-4f);

    locked.y = kTower + 70.0f;  // out of range now: the nearest enemy again
    for (int frame = 0; frame < 80; ++frame) {
        ASSERT_FALSE(tank.Fire(enemies, true));
    }
    ASSERT_TRUE(tank.Fire(enemies, true));
    EXPECT_NEAR(ShotAngle(tank.bullets), 0.0f, 1e-4f);
}

TEST(Targeting, ALockOnTargetAloneOutOfRangeDrawsNoFire) {
    EnemyRef lockOn;
    Rig rig(&lockOn);
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    lockOn = rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 100.0f, kTower).Ref();
    EXPECT_FALSE(tank.Fire(rig.field.field.Enemies(), true));
}

TEST(Targeting, DeadAndDepartedEnemiesAreNoTargets) {
    Rig rig;
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    Enemy& dead = rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 10.0f, kTower);
    dead.dead = 1;
    Enemy& departed = rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 12.0f, kTower);
    departed.alive = 0;  // walked through the exit; the scene deletes it two frames later
    EXPECT_FALSE(tank.Fire(rig.field.field.Enemies(), true));
}

TEST(Targeting, TheBasicTowersFireEveryEightyOneFramesWhileTargetsArePresent) {
    for (int character = 0; character < 2; ++character) {
        Rig rig;
        Exposed<Ardel_TankNormal> ardel(rig.context, kPlot, kPlot);
        Exposed<Sovia_TankNormal> sovia(rig.context, kPlot, kPlot);
        cBaseCharacterTank& tank = character == 0 ? static_cast<cBaseCharacterTank&>(ardel) : sovia;
        rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 30.0f, kTower);
        std::vector<int> shots;
        for (int frame = 0; frame < 300; ++frame) {
            tank.Draw(true);
            if (tank.Fire(rig.field.field.Enemies(), true)) {
                shots.push_back(frame);
            }
        }
        ASSERT_EQ(shots.size(), 4u) << character;
        EXPECT_EQ(shots[0], 0);  // a new tower fires at once
        for (std::size_t i = 1; i < shots.size(); ++i) {
            EXPECT_EQ(shots[i] - shots[i - 1], 81) << character;
        }
    }
}

TEST(Targeting, ArdelsClockStopsDuringABuildAnimationSoviasRunsOn) {
    for (int character = 0; character < 2; ++character) {
        TowerBench bench(character);
        cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
        bench.Select(tower);
        bench.PressKey(kKeyU);
        bench.ch().UpgradeSelected(bench.input, bench.counters.points, false);
        bench.ReleaseKeys();
        for (int frame = 0; frame < 50; ++frame) {
            bench.Frame();
        }
        ASSERT_TRUE(tower.IsBusy());
        EXPECT_EQ(TowerBench::Shooter(tower).FireCounter(), character == 0 ? 300 : 350) << character;
    }
}

TEST(Targeting, SoviasShotGrowsWithHerLevel) {
    Rig rig;
    Exposed<Sovia_TankNormal> tank(rig.context, kPlot, kPlot);
    rig.field.Spawn(EnemyKind::RedFairy, 1, kTower + 30.0f, kTower);
    tank.LevelUp();
    tank.LevelUp();
    ASSERT_TRUE(tank.Fire(rig.field.field.Enemies(), true));
    EXPECT_EQ(tank.bullets.back()->width, 18.0f);
    EXPECT_EQ(tank.bullets.back()->HitRadius(), 3.0f);
}

TEST(Targeting, AnEnemyTakesAtMostOneShotOfEachTowerPerFrame) {
    Rig rig;
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    Enemy& first = rig.field.Spawn(EnemyKind::RedFairy, 1, 100.0f, 100.0f, 1000);
    Enemy& second = rig.field.Spawn(EnemyKind::RedFairy, 1, 100.0f, 112.0f, 1000);
    StraightBullet& a = rig.AddShot(tank, 100.0f, 100.0f);
    StraightBullet& b = rig.AddShot(tank, 100.0f, 104.0f);  // touches both enemies
    tank.HitTest(rig.field.field.Enemies());
    EXPECT_EQ(first.hp, 990.0);
    EXPECT_FALSE(a.alive);
    // The second shot was not spent on the first enemy, so it hits the second.
    EXPECT_FALSE(b.alive);
    EXPECT_EQ(second.hp, 990.0);
}

TEST(Targeting, AShotThatJustTouchesAnEnemyHitsIt) {
    Rig rig;
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    Enemy& enemy = rig.field.Spawn(EnemyKind::RedFairy, 1, 100.0f, 100.0f, 1000);
    const float reach = enemy.hitRadius + 3.0f;
    StraightBullet& touching = rig.AddShot(tank, 100.0f + reach, 100.0f);
    tank.HitTest(rig.field.field.Enemies());
    EXPECT_FALSE(touching.alive);
    StraightBullet& apart = rig.AddShot(tank, 100.0f + reach + 0.01f, 100.0f);
    tank.HitTest(rig.field.field.Enemies());
    EXPECT_TRUE(apart.alive);
    EXPECT_EQ(enemy.hp, 990.0);
}

TEST(Targeting, ShotsLeavingTheFieldAreRemovedAndHitsVanishTheNextFrame) {
    Rig rig;
    Exposed<Ardel_TankNormal> tank(rig.context, kPlot, kPlot);
    rig.AddShot(tank, 539.0f, 100.0f).SetMotion(2.0f, 0.0f, 0.0f, 0.0f);
    rig.AddShot(tank, 100.0f, 100.0f).alive = 0;
    rig.AddShot(tank, 200.0f, 200.0f);
    tank.UpdateBullets(true);
    ASSERT_EQ(tank.bullets.size(), 1u);
    EXPECT_EQ(tank.bullets.front()->x, 200.0f);
}

// The scene deletes enemies while the panel, the towers and shots in flight still refer to them.
TEST(Targeting, ALockedOnEnemyDeletedMidFlightIsForgottenEverywhere) {
    TowerBench bench;
    bench.Place(1, kPlot, kPlot);
    Enemy& locked = bench.SpawnAt(kTower + 55.0f, kTower);
    bench.SpawnAt(kTower - 50.0f, kTower);  // nearer
    bench.ch().panel.SelectEnemy(locked);
    bench.Frame();
    const auto& shots = TowerBench::Shooter(*bench.ch().Towers(1).front()).Bullets();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_GT(shots.front()->vx, 0.0f);  // at the locked-on enemy, east

    bench.enemies().erase(bench.enemies().begin());
    EXPECT_FALSE(bench.ch().panel.LockOnTarget().Exists());
    for (int frame = 0; frame < 90; ++frame) {
        bench.Frame();
    }
    const std::uint8_t options[7] = {};
    EXPECT_TRUE(bench.ch().panel.Draw(options, false, true));
    EXPECT_FALSE(bench.ch().panel.Draw(options, false, true));
    EXPECT_EQ(bench.ch().panel.Mode(), PanelMode::None);
    // The remaining enemy, west, took the next shots.
    EXPECT_LT(shots.back()->vx, 0.0f);
}

}  // namespace
