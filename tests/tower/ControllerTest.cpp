#include <gtest/gtest.h>

#include "tower/TowerBench.h"

namespace {

TEST(Controller, DigitKeysChooseTheShopEntriesOneToNineAndZeroTheTenth) {
    TowerBench bench;
    for (int key = kKey1; key <= kKey0; ++key) {
        const int kind = key - kKey1 + 1;
        bench.PressKey(static_cast<WatchedKey>(key));
        bench.ch().UpdateInfo(bench.input, false);
        bench.ReleaseKeys();
        EXPECT_EQ(bench.ch().cursor.mode, TankObject::kPlacing);
        EXPECT_EQ(bench.ch().cursor.kind, static_cast<std::uint32_t>(kind));
        EXPECT_EQ(bench.ch().panel.Mode(), PanelMode::Shop);
        const CatalogueEntry& entry = bench.ch().Entry(kind);
        const std::array<int, 6> figures = bench.ch().panel.Figures();
        EXPECT_EQ(figures[0], entry.price);
        EXPECT_EQ(figures[1], entry.damage);
        EXPECT_EQ(figures[2], entry.range);
        EXPECT_EQ(bench.ch().cursor.rangeCircle.width, entry.range > 0 ? 2.0f * entry.range : 0.0f);
    }
}

TEST(Controller, ClickingAShopIconStartsAPlacement) {
    TowerBench bench(1);
    const MouseChangeObject2D& icon = bench.ch().ShopIcon(7);
    bench.input.SetMouse(static_cast<int>(icon.x), static_cast<int>(icon.y));
    bench.input.SetButtons(1, 0);
    bench.ch().UpdateInfo(bench.input, false);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kPlacing);
    EXPECT_EQ(bench.ch().cursor.kind, 7u);
}

TEST(Controller, PlacingNeedsAKnownKindAndEnoughPoints) {
    TowerBench bench;
    int points = 29;
    EXPECT_FALSE(bench.ch().CanAfford(points, 9));
    EXPECT_FALSE(bench.ch().PlaceTower(points, 144, 144, 9, false));
    EXPECT_TRUE(bench.ch().PlaceTower(points, 144, 144, 9, true));  // a paid replacement
    EXPECT_EQ(points, 29);
    for (int kind : {0, 11, -1}) {
        EXPECT_FALSE(bench.ch().CanAfford(1000, kind));
        EXPECT_FALSE(bench.ch().PlaceTower(points, 144, 144, kind, true));
    }
    EXPECT_TRUE(bench.ch().PlaceTower(points, 176, 144, 1, false));
    EXPECT_EQ(points, 26);
}

TEST(Controller, AClickSelectsTheTowerUnderItAndAClickElsewhereLetsGo) {
    TowerBench bench;
    cBaseCharacterTank& tower = bench.Place(5, 144, 144);
    bench.Select(tower);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kSelect);
    EXPECT_EQ(bench.ch().cursor.kind, 5u);
    EXPECT_EQ(bench.ch().panel.Mode(), PanelMode::Tower);
    EXPECT_EQ(bench.ch().panel.ReleaseCaption(), "解放:(+5)P");  // trunc(7 x 0.85)

    // The click box is strict: its edge 16 pixels out is outside.
    bench.input.SetMouse(160, 144);
    bench.input.SetButtons(1, 0);
    bench.ch().SelectTower(bench.input, false);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kHidden);
}

TEST(Controller, ThePanelsUpgradeButtonUpgradesTheSelectedTower) {
    TowerBench bench;
    bench.prep = true;
    cBaseCharacterTank& tower = bench.Place(1, 144, 144);
    bench.Select(tower);
    const MouseChangeObject2D& button = bench.ch().panel.UpgradeButton();
    bench.input.SetMouse(static_cast<int>(button.x), static_cast<int>(button.y));
    bench.input.SetButtons(1, 0);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, true);
    EXPECT_EQ(tower.Level(), 1);
    bench.input.SetButtons(0, 0);
    bench.input.SetButtons(1, 0);
    bench.input.SetMouse(10, 10);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, true);
    EXPECT_EQ(tower.Level(), 1);
}

TEST(Controller, ABusyTowerCannotBeSelected) {
    TowerBench bench;
    cBaseCharacterTank& tower = bench.Place(1, 144, 144);
    bench.Select(tower);
    bench.PressKey(kKeyU);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, false);
    bench.ReleaseKeys();
    bench.Frame();
    bench.ch().cursor.SetMode(TankObject::kHidden);
    bench.Select(tower);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kHidden);
}

// Plots never overlap in play, but in the frame of a reap two towers may share a plot for a moment:
// the first in kind order answers every request.
TEST(Controller, TheFirstTowerInKindOrderWinsEveryRequest) {
    TowerBench bench;
    bench.Place(2, 144, 144);
    cBaseCharacterTank& first = bench.Place(1, 144, 144);
    bench.Select(first);
    EXPECT_EQ(bench.ch().cursor.kind, 1u);

    bench.PressKey(kKeyU);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, true);
    bench.ReleaseKeys();
    EXPECT_EQ(first.Level(), 1);
    EXPECT_EQ(bench.ch().Towers(2).front()->Level(), 0);

    bench.PressKey(kKeyS);
    bench.ch().SellSelected(bench.input, true, false);
    bench.ReleaseKeys();
    EXPECT_FALSE(first.IsAlive());
    EXPECT_TRUE(bench.ch().Towers(2).front()->IsAlive());
}

TEST(Controller, APlotOverlappingAPlacedTowerIsRefused) {
    TowerBench bench;
    bench.Place(1, 144, 144);
    for (const auto& [x, y, refused] : {std::tuple{160, 128, true}, std::tuple{176, 144, false}, std::tuple{144, 112, false}}) {
        bench.ch().cursor.SetMode(TankObject::kPlacing);
        bench.ch().cursor.SetPlot(x, y);
        bench.ch().CheckPlacement(bench.input);
        EXPECT_EQ(bench.ch().cursor.mode, refused ? TankObject::kPlacingRefused : TankObject::kPlacing) << x << "," << y;
    }
}

// Option byte 6: during the waves the release button fires spell towers and sells nothing.
TEST(Controller, TheSpellButtonOptionFiresSpellsInsteadOfSellingThem) {
    TowerBench bench;
    cBaseCharacterTank& spell = bench.Place(9, 144, 144);
    cBaseCharacterTank& basic = bench.Place(1, 208, 208);
    const int points = bench.counters.points;

    bench.Select(spell);
    bench.ch().UpdateInfo(bench.input, false);
    bench.PressKey(kKeyS);
    bench.ch().SellSelected(bench.input, false, true);
    bench.ReleaseKeys();
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kHidden);
    EXPECT_TRUE(spell.IsActivated());
    // Cast, the spell goes by itself, and gives nothing back.
    for (int frame = 0; frame < 200; ++frame) {
        bench.Frame();
    }
    EXPECT_TRUE(bench.ch().Towers(9).empty());
    EXPECT_EQ(bench.counters.points, points);

    // A plain tower cannot be released at all then: neither by key nor by its button.
    bench.Select(basic);
    bench.ch().UpdateInfo(bench.input, false);
    bench.ch().SellSelected(bench.input, false, true);
    EXPECT_FALSE(bench.ch().panel.ActivationShown());
    const MouseChangeObject2D& release = bench.ch().panel.ReleaseButton();
    bench.input.SetMouse(static_cast<int>(release.x), static_cast<int>(release.y));
    bench.input.SetButtons(1, 0);
    bench.ch().SellSelected(bench.input, false, true);
    bench.input.SetButtons(0, 0);
    EXPECT_EQ(bench.ch().cursor.mode, TankObject::kSelect);
    bench.PressKey(kKeyS);
    bench.ch().SellSelected(bench.input, false, true);
    bench.ReleaseKeys();
    bench.Frame();
    EXPECT_TRUE(basic.IsAlive());
    EXPECT_FALSE(basic.IsBusy());

    // In preparation it sells as usual, with everything back.
    bench.prep = true;
    const int beforeSecond = bench.counters.points;
    cBaseCharacterTank& second = bench.Place(9, 144, 144);
    EXPECT_EQ(bench.counters.points, beforeSecond - 30);
    bench.Select(second);
    bench.PressKey(kKeyS);
    bench.ch().SellSelected(bench.input, true, true);
    bench.ReleaseKeys();
    bench.Frame();
    EXPECT_TRUE(bench.ch().Towers(9).empty());
    EXPECT_EQ(bench.counters.points, beforeSecond);
}

TEST(Controller, ASpellSoldDuringTheWavesRefundsNothingAndHidesItsPrice) {
    TowerBench bench;
    cBaseCharacterTank& spell = bench.Place(9, 144, 144);
    bench.Select(spell);
    EXPECT_EQ(bench.ch().panel.ReleaseCaption(), "解放:(+0)P");
    const int points = bench.counters.points;
    bench.PressKey(kKeyS);
    bench.ch().SellSelected(bench.input, false, false);
    bench.ReleaseKeys();
    for (int frame = 0; frame < 200; ++frame) {
        bench.Frame();
    }
    EXPECT_TRUE(bench.ch().Towers(9).empty());
    EXPECT_EQ(bench.counters.points, points);
}

TEST(Controller, TheSoulTowerHidesItsLevelAndCannotGoUp) {
    TowerBench bench;
    cBaseCharacterTank& soul = bench.Place(10, 144, 144);
    bench.Select(soul);
    EXPECT_EQ(bench.ch().panel.Level(), 0);
    const int points = bench.counters.points;
    bench.PressKey(kKeyU);
    bench.ch().UpgradeSelected(bench.input, bench.counters.points, true);
    bench.ReleaseKeys();
    EXPECT_EQ(soul.Level(), 5);
    EXPECT_EQ(bench.counters.points, points);
}

TEST(Controller, ThePortraitHurtsForFiftyFramesAndFlickersOutAtGameOver) {
    TowerBench bench;
    bench.ch().hurtFrames = 50;
    bench.ch().hurtRestart = true;
    for (int frame = 0; frame < 50; ++frame) {
        bench.ch().DrawUi(true, false);
    }
    EXPECT_EQ(bench.ch().hurtFrames, 0);
    EXPECT_FALSE(bench.ch().hurtRestart);
    EXPECT_EQ(bench.ch().gameOverTicks, 0);

    bench.counters.lives = 0;
    bench.ch().hurtFrames = 50;
    for (int frame = 0; frame < 100; ++frame) {
        bench.ch().DrawUi(false, frame >= 90);
    }
    EXPECT_EQ(bench.ch().gameOverTicks, 61);
    EXPECT_GT(bench.ch().hurtFrames, 0);  // the flare keeps burning over the portrait
    const int held = bench.ch().hurtFrames;
    bench.ch().DrawUi(false, true);
    EXPECT_EQ(bench.ch().hurtFrames, held);
}

}  // namespace
