#include <gtest/gtest.h>

#include "tower/TowerBench.h"

namespace {

constexpr int kPlot = 144;

// The player's requests on the selected tower, as the scene passes them on.
void Sell(TowerBench& bench) {
    bench.PressKey(kKeyS);
    bench.ch().SellSelected(bench.input, bench.prep, false);
    bench.ReleaseKeys();
}

void Upgrade(TowerBench& bench) {
    bench.PressKey(kKeyU);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, bench.prep);
    bench.ReleaseKeys();
}

void ReplaceWith(TowerBench& bench, WatchedKey key) {
    bench.ch().cursor.SetMode(TankObject::kSelectReplace);
    bench.PressKey(key);
    bench.ch().ReplaceSelected(bench.input, bench.counters.points, bench.prep);
    bench.ReleaseKeys();
}

TEST(TowerLife, SellingDuringTheWavesRefundsEightyFivePercentAfterTheAnimation) {
    TowerBench bench;
    cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
    const int afterPurchase = bench.counters.points;
    bench.Select(tower);
    Sell(bench);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kHidden);
    EXPECT_TRUE(tower.IsAlive());
    FreedPlot freed;
    for (int frame = 0; frame < 100 && !freed.Any(); ++frame) {
        freed = bench.Frame();
        if (!freed.Any()) {
            EXPECT_EQ(bench.counters.points, afterPurchase);  // nothing back while it comes down
        }
    }
    EXPECT_EQ(freed.x, kPlot);
    EXPECT_EQ(freed.y, kPlot);
    EXPECT_EQ(bench.counters.points, afterPurchase + 2);  // trunc(3 x 0.85)
    EXPECT_TRUE(bench.ch().Towers(1).empty());
}

TEST(TowerLife, SellingInPreparationRefundsEverythingAtOnce) {
    TowerBench bench;
    bench.prep = true;
    cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
    bench.Select(tower);
    Upgrade(bench);
    EXPECT_EQ(tower.Level(), 1);  // immediate in preparation
    const int before = bench.counters.points;
    Sell(bench);
    const FreedPlot freed = bench.Frame();
    EXPECT_TRUE(freed.Any());
    EXPECT_EQ(bench.counters.points, before + 6);
}

TEST(TowerLife, AFullyUpgradedBasicTowerIsWorthAHundredAndRefundsEightyFive) {
    for (int character = 0; character < 2; ++character) {
        TowerBench bench(character);
        cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
        const int start = bench.counters.points + 3;
        for (int level = 0; level < 5; ++level) {
            bench.Select(tower);
            Upgrade(bench);
            for (int frame = 0; frame < 1000 && (frame == 0 || tower.IsBusy()); ++frame) {
                bench.Frame();
            }
        }
        EXPECT_EQ(tower.Level(), 5);
        EXPECT_EQ(tower.Value(), 100);
        EXPECT_EQ(bench.counters.points, start - 100);
        bench.Select(tower);
        Sell(bench);
        for (int frame = 0; frame < 1000 && !bench.Frame().Any(); ++frame) {
        }
        EXPECT_EQ(bench.counters.points, start - 15);
    }
}

// Sales take longer as the waves go by, up to wave 50; each character has its own pace.
TEST(TowerLife, SaleAnimationsLengthenWithTheWavesUntilTheFiftieth) {
    struct Case {
        int character;
        int waves;
        int frames;
    };
    for (const Case c : {Case{0, 0, 44}, Case{0, 50, 370}, Case{0, 80, 370}, Case{1, 0, 48}, Case{1, 50, 480}}) {
        SCOPED_TRACE(testing::Message() << "character " << c.character << " waves " << c.waves);
        TowerBench bench(c.character);
        bench.counters.waveCount = c.waves;
        cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
        bench.Select(tower);
        Sell(bench);
        EXPECT_NEAR(bench.FramesUntilGone(tower), c.frames, 1);
    }
}

TEST(TowerLife, UpgradeAnimationsLengthenWithTheLevel) {
    const int ardel[] = {144, 240, 336, 432, 528};
    const int sovia[] = {103, 171, 240, 309, 377};
    for (int character = 0; character < 2; ++character) {
        TowerBench bench(character);
        cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
        for (int level = 0; level < 5; ++level) {
            bench.Select(tower);
            Upgrade(bench);
            int frames = 0;
            do {
                bench.ch().DrawTowers(bench.enemies(), true);
                ++frames;
            } while (tower.IsBusy() && frames < 1000);
            EXPECT_NEAR(frames, (character == 0 ? ardel : sovia)[level], 1) << character << " " << level;
            EXPECT_EQ(tower.Level(), level + 1);
        }
    }
}

TEST(TowerLife, TheBuildFlagShowsWhileATowerIsWorkedOn) {
    TowerBench bench;
    cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
    bench.Select(tower);
    Upgrade(bench);
    bench.Frame();
    EXPECT_TRUE(bench.ch().buildFlag);
    EXPECT_TRUE(tower.IsBusy());
    for (int frame = 0; frame < 1000 && tower.IsBusy(); ++frame) {
        bench.Frame();
    }
    EXPECT_FALSE(bench.ch().buildFlag);
}

TEST(TowerLife, ARequestWhileAnotherIsPendingIsRefusedAndCostsNothing) {
    TowerBench bench;
    cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
    bench.Select(tower);
    const int before = bench.counters.points;
    // "U" and "S" in the same frame: the upgrade is paid, so the sale waits for it.
    bench.PressKey(kKeyU);
    bench.PressKey(kKeyS);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, false);
    bench.ch().SellSelected(bench.input, false, false);
    bench.ReleaseKeys();
    EXPECT_EQ(bench.counters.points, before - 3);
    for (int frame = 0; frame < 1000 && (frame == 0 || tower.IsBusy()); ++frame) {
        bench.Frame();
    }
    EXPECT_EQ(tower.Level(), 1);
    EXPECT_TRUE(tower.IsAlive());
    // Busy towers cannot be upgraded again either.
    bench.Select(tower);
    Upgrade(bench);
    bench.Frame();
    const int paid = bench.counters.points;
    Upgrade(bench);
    EXPECT_EQ(bench.counters.points, paid);
}

TEST(TowerLife, PausedFramesFreezeTheAnimationTheClockAndTheShots) {
    TowerBench bench(1);  // her basic tower's clock runs in every running frame
    cBaseCharacterTank& tower = bench.Place(1, kPlot, kPlot);
    bench.SpawnAt(kPlot + 50.0f, kPlot);
    bench.Frame();
    const auto& shots = TowerBench::Shooter(tower).Bullets();
    ASSERT_EQ(shots.size(), 1u);
    bench.Select(tower);
    Upgrade(bench);
    bench.Frame();
    const double anim = tower.BuildAnim();
    const float shotX = shots.front()->x;
    const int counter = TowerBench::Shooter(tower).FireCounter();
    const std::size_t draws = bench.field.device.draws.size();
    for (int frame = 0; frame < 30; ++frame) {
        bench.Frame(false);
    }
    EXPECT_EQ(tower.BuildAnim(), anim);
    EXPECT_EQ(shots.front()->x, shotX);
    EXPECT_EQ(TowerBench::Shooter(tower).FireCounter(), counter);
    EXPECT_GT(bench.field.device.draws.size(), draws);  // still drawn
}

TEST(TowerLife, ReplacingDuringTheWavesChargesNowAndRefundsWhenTheOldTowerIsGone) {
    TowerBench bench;
    cBaseCharacterTank& old = bench.Place(1, kPlot, kPlot);
    bench.prep = true;
    bench.Select(old);
    for (int level = 0; level < 3; ++level) {
        Upgrade(bench);
    }
    bench.prep = false;
    ASSERT_EQ(old.Level(), 3);
    ASSERT_EQ(old.Value(), 24);
    bench.Select(old);
    const int before = bench.counters.points;
    ReplaceWith(bench, kKey3);  // Spindle, 9 P
    EXPECT_EQ(bench.counters.points, before - 9);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kHidden);
    FreedPlot freed;
    for (int frame = 0; frame < 1000 && bench.ch().Towers(3).empty(); ++frame) {
        freed = bench.Frame();
        ASSERT_FALSE(freed.Any());  // the plot never opens
    }
    EXPECT_TRUE(bench.ch().Towers(1).empty());
    EXPECT_EQ(bench.counters.points, before - 9 + 20);  // trunc(24 x 0.85)
    const cBaseCharacterTank& fresh = *bench.ch().Towers(3).front();
    EXPECT_EQ(fresh.X(), kPlot);
    EXPECT_EQ(fresh.Level(), 0);
    EXPECT_EQ(fresh.Value(), 9);
}

TEST(TowerLife, ReplacingInPreparationHappensInTheSameFrameWithAFullRefund) {
    TowerBench bench;
    bench.prep = true;
    cBaseCharacterTank& old = bench.Place(1, kPlot, kPlot);
    bench.Select(old);
    Upgrade(bench);
    const int before = bench.counters.points;
    ReplaceWith(bench, kKey1);  // the same kind again starts over at level 0
    ASSERT_EQ(bench.ch().Towers(1).size(), 1u);
    EXPECT_EQ(bench.ch().Towers(1).front()->Level(), 0);
    EXPECT_EQ(bench.counters.points, before - 3 + 6);
}

TEST(TowerLife, AReplacementDearerThanThePointsIsIgnored) {
    TowerBench bench;
    cBaseCharacterTank& old = bench.Place(1, kPlot, kPlot);
    bench.counters.points = 8;  // the old tower would refund enough, but that does not count
    bench.Select(old);
    ReplaceWith(bench, kKey3);
    EXPECT_EQ(bench.counters.points, 8);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kSelectReplace);
    bench.Frame();
    EXPECT_TRUE(old.IsAlive());
    EXPECT_FALSE(old.IsBusy());
}

TEST(TowerLife, TwoGoneTowersAreReapedInConsecutiveFramesKindOrderFirst) {
    TowerBench bench;
    bench.prep = true;
    cBaseCharacterTank& later = bench.Place(2, 208, 208);
    cBaseCharacterTank& earlier = bench.Place(1, 144, 144);
    for (cBaseCharacterTank* tower : {&later, &earlier}) {
        bench.Select(*tower);
        Sell(bench);
    }
    FreedPlot freed;
    bench.ch().ReapTowers(freed, bench.counters.points, true);
    EXPECT_EQ(freed.x, 144);
    EXPECT_EQ(bench.ch().Towers(2).size(), 1u);
    bench.ch().ReapTowers(freed, bench.counters.points, true);
    EXPECT_EQ(freed.x, 208);
    bench.ch().ReapTowers(freed, bench.counters.points, true);
    EXPECT_FALSE(freed.Any());
}

}  // namespace
