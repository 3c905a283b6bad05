#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/Random.h"
#include "field/TankObject.h"
#include "scene/GameHarness.h"
#include "scene/game/PauseMenu.h"
#include "scene/guide/SpeedButton.h"
#include "tower/BaseCharacter.h"

namespace {

constexpr int kGreatBeam = 9;

field::StageRequest Easy(int character) {
    field::StageRequest request;
    request.character = static_cast<std::uint32_t>(character);
    return request;
}

// What the battle is, frame by frame, as far as anything it simulates goes.
struct Snapshot {
    int points;
    int lives;
    int waves;
    int towers;
    std::size_t enemies;
    float enemyX;
    float enemyY;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const GameMain& game) {
    int towers = 0;
    for (int kind = 1; kind <= game.Controller()->EntryCount(); ++kind) {
        towers += static_cast<int>(game.Controller()->Towers(kind).size());
    }
    float x = 0.0f;
    float y = 0.0f;
    for (const auto& enemy : game.Field()->Enemies()) {
        x += enemy->x;
        y += enemy->y;
    }
    return {game.Counters().points, game.Counters().lives, game.Counters().waveCount, towers,
            game.Field()->Enemies().size(), x, y};
}

// A battle played with everything the guides answer to: hovering the shop and the towers,
// placements and upgrades the points do not cover, a refused replacement, a plot that would close
// the path, the speed button, a lock-on and called waves.
std::vector<Snapshot> PlayWithGuides(bool guides) {
    GameHarness harness;
    Random::Seed(7);
    GameMain& game = harness.Open(Easy(1));
    std::vector<Snapshot> frames;
    auto frame = [&](int count) {
        for (int i = 0; i < count; ++i) {
            harness.Context().guides = guides;
            harness.Frame();
            frames.push_back(Take(game));
        }
    };
    frame(2);
    harness.MoveTo(470, 130);
    frame(5);
    harness.Place(1, 112, 176);
    harness.Place(1, 144, 176);
    harness.Place(kGreatBeam, 176, 176);  // 90 P: refused
    harness.PressKey(kKeyD);
    harness.Click(112, 176);
    for (int i = 0; i < 6; ++i) {
        harness.PressKey(kKeyU);  // the later ones are refused
        frame(10);
    }
    harness.PressKey(kKeyLeftShift);
    harness.PressKey(kKey9);  // a replacement that costs too much
    harness.PressKey(kKeyD);
    harness.Click(guide::SpeedButton::kX, guide::SpeedButton::kY);
    harness.PressKey(kKeyN);
    frame(300);
    harness.PressKey(kKey1);
    harness.MoveTo(208, 240);
    frame(20);
    if (!game.Field()->Enemies().empty()) {
        const Enemy& enemy = *game.Field()->Enemies().front();
        harness.Click(static_cast<int>(enemy.x), static_cast<int>(enemy.y));
    }
    frame(1500);
    return frames;
}

}  // namespace

TEST(BattleGuide, TheBattleRunsTheSameWithTheGuidesOnOrOff) {
    const std::vector<Snapshot> on = PlayWithGuides(true);
    const std::vector<Snapshot> off = PlayWithGuides(false);
    ASSERT_EQ(on.size(), off.size());
    for (std::size_t i = 0; i < on.size(); ++i) {
        ASSERT_EQ(on[i], off[i]) << "frame " << i;
    }
    // The battle did something worth comparing.
    EXPECT_GT(on.back().towers, 0);
    EXPECT_GT(on.back().waves, 0);
}

TEST(BattleGuide, APurchaseThePointsDoNotCoverIsToldAndChangesNothing) {
    GameHarness harness;
    GameMain& game = harness.Open(Easy(1));
    harness.Frames(2);
    const int points = game.Counters().points;
    ASSERT_LT(points, game.Controller()->Entry(kGreatBeam).price);
    const WalkLoad routes = game.Field()->Routes();
    harness.Place(kGreatBeam, 176, 176);
    EXPECT_EQ(game.Guide().Alerts().Refusals(), 1);
    EXPECT_EQ(game.Counters().points, points);
    EXPECT_TRUE(game.Controller()->Towers(kGreatBeam).empty());
    EXPECT_EQ(game.Field()->Routes().grids, routes.grids);
    EXPECT_TRUE(game.Field()->Walls().FootprintOpen(176, 176));
    EXPECT_FALSE(game.StuckWarningShown());

    // An affordable one is no refusal.
    harness.Place(1, 208, 176);
    EXPECT_EQ(game.Guide().Alerts().Refusals(), 1);
    EXPECT_EQ(game.Controller()->Towers(1).size(), 1u);
}

TEST(BattleGuide, APlotThatWouldCloseThePathIsShownRefusedBeforeTheClick) {
    GameHarness harness;
    field::StageRequest request = Easy(0);
    request.options[field::kOptionRichStart] = 1;
    GameMain& game = harness.Open(request);
    harness.Frames(2);
    // A wall across the field with one gap at y 240.
    for (int y = 48; y <= 400; y += 32) {
        if (y != 240) {
            harness.Place(1, 208, y);
        }
    }
    const std::size_t built = game.Controller()->Towers(1).size();
    harness.MoveTo(208, 240);
    harness.Frames(2);
    EXPECT_TRUE(game.Guide().Maze().Previewing());
    EXPECT_EQ(game.Guide().Maze().PreviewTrial(), Battlefield::Trial::CutRoute);
    EXPECT_EQ(game.Controller()->Towers(1).size(), built);

    // A plot on the path past the gap is fine; the preview shows the way round it, and how many
    // cells longer that is (with diagonal steps, often none).
    harness.MoveTo(304, 240);
    harness.Frames(2);
    ASSERT_EQ(game.Guide().Maze().PreviewTrial(), Battlefield::Trial::Open);
    const guide::RoutePath& now = game.Guide().Maze().Path(1);
    const guide::RoutePath& then = game.Guide().Maze().PreviewPath(1);
    bool moved = now.CellCount() != then.CellCount();
    for (int i = 0; !moved && i < now.CellCount(); ++i) {
        moved = !(now.Cell(i) == then.Cell(i));
    }
    EXPECT_TRUE(moved) << "the preview shows the path as it is";
    const int predicted = game.Guide().Maze().LengthChange();
    EXPECT_EQ(predicted, then.Steps() - now.Steps());
    const int before = now.Steps();
    const int shownCells = then.CellCount();
    harness.Click(304, 240);
    harness.Frames(2);
    ASSERT_EQ(game.Controller()->Towers(1).size(), built + 1);
    // The preview told the truth: the route is now the one it showed.
    EXPECT_EQ(game.Guide().Maze().Path(1).Steps() - before, predicted);
    EXPECT_EQ(game.Guide().Maze().Path(1).CellCount(), shownCells);
}

TEST(PauseMenu, OnceTheStageHasEndedThereIsNoGameToResume) {
    GameHarness harness;  // the registries the menu's pictures come from
    PauseMenu menu;
    menu.Init(harness.Device());
    SceneContext click;
    click.SetMouse(224, 260);  // the resume item
    click.SetButtons(1, 0);
    menu.Open(true);
    EXPECT_EQ(menu.Frame(click), PauseMenu::Choice::Resume);
    menu.Open(false);
    EXPECT_EQ(menu.Frame(click), PauseMenu::Choice::None);
    // The other items still answer.
    click.SetButtons(0, 0);
    click.SetMouse(224, 310);
    click.SetButtons(1, 0);
    menu.Frame(click);
    EXPECT_TRUE(menu.ChoiceMade());
}
