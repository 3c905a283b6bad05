#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/StreamingTrack.h"
#include "bullet/StraightBullet.h"
#include "field/TankObject.h"
#include "resource/SaveFile.h"
#include "scene/GameHarness.h"
#include "tower/ShootingTank.h"

namespace {

constexpr int kBasic = 1;
// The corridor's west-east route runs through rows 20..23 (y 200..248) on easy; plots just
// beside it line both of its sides.
constexpr int kNorthSideY = 176;
constexpr int kSouthSideY = 272;
constexpr int kShopBasicX = 470;
constexpr int kShopY = 130;

field::StageRequest EasyCorridor(int character = 0) {
    field::StageRequest request;
    request.stage = 0;
    request.difficulty = 0;
    request.character = character;
    return request;
}

field::StageRequest RichEasyCorridor() {
    field::StageRequest request = EasyCorridor();
    request.options[field::kOptionRichStart] = 1;
    return request;
}

const std::vector<std::unique_ptr<cBaseCharacterTank>>& Basics(GameHarness& harness) {
    return harness.Game().Controller()->Towers(kBasic);
}

// Lines both sides of the corridor with basic towers taken to the top level, all in preparation.
void BuildFullDefence(GameHarness& harness) {
    for (const int y : {kNorthSideY, kSouthSideY}) {
        for (int x = 48; x <= 400; x += 32) {
            harness.Place(kBasic, x, y);
        }
    }
    harness.PressKey(kKeyD);
    for (const int y : {kNorthSideY, kSouthSideY}) {
        for (int x = 48; x <= 400; x += 32) {
            harness.Click(x, y);
            for (int level = 0; level < 5; ++level) {
                harness.PressKey(kKeyU);
            }
        }
    }
    harness.PressKey(kKeyD);
}

int PointsOf(GameHarness& harness) { return harness.Game().Counters().points; }

}  // namespace

TEST(GameMainFlow, PreparationPlacesUpgradesAtOnceAndRefundsInFull) {
    GameHarness harness;
    GameMain& game = harness.Open(EasyCorridor());
    harness.Frames(2);
    const int start = PointsOf(harness);
    ASSERT_EQ(start, 40);  // the easy corridor's starting points

    // A click on the shop icon chooses the tower as its key does.
    harness.Click(kShopBasicX, kShopY);
    EXPECT_EQ(game.Controller()->cursor.mode, TankObject::kPlacing);
    harness.Click(96, kNorthSideY);
    ASSERT_EQ(Basics(harness).size(), 1u);
    EXPECT_EQ(PointsOf(harness), start - 3);
    EXPECT_TRUE(game.Field()->PlotRefused(96, kNorthSideY));

    harness.PressKey(kKeyD);
    harness.Click(96, kNorthSideY);
    ASSERT_EQ(game.Controller()->cursor.mode, TankObject::kSelect);
    harness.PressKey(kKeyU);
    harness.PressKey(kKeyU);
    EXPECT_EQ(Basics(harness)[0]->Level(), 2);  // no build animation before the first wave
    EXPECT_EQ(PointsOf(harness), start - 3 - 3 - 6);

    harness.PressKey(kKeyS);
    EXPECT_TRUE(Basics(harness).empty());
    EXPECT_EQ(PointsOf(harness), start);  // everything back
    EXPECT_FALSE(game.Field()->PlotRefused(96, kNorthSideY));
    EXPECT_EQ(game.Controller()->cursor.mode, TankObject::kHidden);
}

TEST(GameMainFlow, WavesWaitForTheStartThenComeOnTheGaugesSchedule) {
    GameHarness harness;
    GameMain& game = harness.Open(EasyCorridor());
    harness.Frames(600);
    EXPECT_TRUE(game.Preparing());
    EXPECT_EQ(game.Counters().waveCount, 0);
    EXPECT_TRUE(game.Field()->Enemies().empty());

    harness.PressKey(kKeyN);
    EXPECT_FALSE(game.Preparing());
    std::vector<int> releases;
    int frame = 0;
    int seen = 0;
    while (releases.size() < 3 && frame < 5000) {
        harness.Frame();
        ++frame;
        if (game.Counters().waveCount != seen) {
            seen = game.Counters().waveCount;
            releases.push_back(frame);
            // Easy sends its formation of eight on the west-east route only.
            EXPECT_GE(game.Field()->Enemies().size(), 8u);
        }
    }
    ASSERT_EQ(releases.size(), 3u);
    // The gauge counted through the preparation, so it steps in the first running frame; the first
    // box then needs four more steps of 21 frames to stand on its mark.
    EXPECT_EQ(releases[0], 85);
    // From then on a box every 62 pixels, a pixel every 21 running frames.
    EXPECT_EQ(releases[2] - releases[1], 62 * 21);
}

TEST(GameMainFlow, ClearingTheStageRecordsLivesBonusAndItemsAsTheBestScore) {
    GameHarness harness;
    const field::StageRequest request = RichEasyCorridor();
    GameMain& game = harness.Open(request);
    harness.Frames(2);
    BuildFullDefence(harness);
    ASSERT_EQ(Basics(harness).size(), 24u);
    for (const auto& tower : Basics(harness)) {
        ASSERT_EQ(tower->Level(), 5);
    }
    harness.PressKey(kKeyN);
    // Calling every wave early is worth the distance skipped.
    ASSERT_TRUE(harness.RunUntil(
        [&] {
            if (!game.Gauge().AllStarted() && game.Field()->Enemies().empty()) {
                harness.PressKey(kKeyN);
            }
            return game.Cleared() || game.Failed();
        },
        200000));
    ASSERT_TRUE(game.Cleared());
    EXPECT_EQ(game.Counters().lives, 20);
    EXPECT_GT(game.BonusScore(), 0);
    EXPECT_GT(game.ItemScore(), 0);
    const int score = 20 * 50 + game.BonusScore() + game.ItemScore();
    EXPECT_EQ(game.BestScore(), score);
    EXPECT_TRUE(game.Field()->Enemies().empty());
    EXPECT_EQ(game.ItemCount(), 0u);

    CSaveFile stored;
    EXPECT_EQ(stored.ReadBestScore(0, 0, 0, request.options), score);
    // Easy clears do not mark the stage as cleared.
    EXPECT_EQ(stored.settings[CSaveFile::kStageCleared0], 0u);
}

TEST(GameMainFlow, TwentyEnemiesThroughLoseTheStageAndRecordNothing) {
    GameHarness harness;
    const field::StageRequest request = EasyCorridor();
    GameMain& game = harness.Open(request);
    const int recordBefore = CSaveFile().ReadBestScore(0, 0, 0, request.options);
    harness.PressKey(kKeyN);
    int lastLives = game.Counters().lives;
    int crossings = 0;
    ASSERT_TRUE(harness.RunUntil(
        [&] {
            if (game.Counters().lives != lastLives) {
                crossings += lastLives - game.Counters().lives;
                lastLives = game.Counters().lives;
            }
            return game.Failed();
        },
        60000));
    EXPECT_EQ(crossings, 20);
    EXPECT_EQ(game.Counters().lives, 0);
    EXPECT_EQ(harness.Context().transitionMode, TransitionMode::Frozen);
    EXPECT_FALSE(game.Cleared());

    // Ended: nothing moves any more.
    const float x = game.Field()->Enemies().empty() ? 0.0f : game.Field()->Enemies().front()->x;
    harness.Frames(30);
    if (!game.Field()->Enemies().empty()) {
        EXPECT_EQ(game.Field()->Enemies().front()->x, x);
    }
    harness.Close();
    EXPECT_EQ(CSaveFile().ReadBestScore(0, 0, 0, request.options), recordBefore);
}

TEST(GameMainFlow, ThePauseMenuFreezesTheFieldAndStopsTheMusicUntilResumed) {
    GameHarness harness;
    GameMain& game = harness.Open(EasyCorridor());
    harness.PressKey(kKeyN);
    ASSERT_TRUE(harness.RunUntil([&] { return !game.Field()->Enemies().empty(); }, 3000));
    harness.Frames(60);
    EXPECT_FALSE(g_FileClass.Music().Stopped());

    harness.PressKey(kKeySpace);
    ASSERT_TRUE(game.MenuOpen());
    EXPECT_TRUE(g_FileClass.Music().Stopped());
    const Enemy& walker = *game.Field()->Enemies().front();
    const float x = walker.x;
    const int scroll = LevelGaugeShared::Get().scrollX;
    harness.Frames(120);
    EXPECT_EQ(walker.x, x);
    EXPECT_EQ(LevelGaugeShared::Get().scrollX, scroll);

    harness.PressKey(kKeySpace);
    EXPECT_FALSE(game.MenuOpen());
    EXPECT_FALSE(g_FileClass.Music().Stopped());
    harness.Frames(40);
    EXPECT_NE(walker.x, x);
}

TEST(GameMainFlow, APlacementThatClosesTheLastPathIsRefusedWithTheWarning) {
    GameHarness harness;
    GameMain& game = harness.Open(RichEasyCorridor());
    harness.Frames(2);
    // A wall of towers across the field from top to bottom: the plot that would close it stays open.
    for (int y = 48; y <= 400; y += 32) {
        harness.Place(kBasic, 208, y);
    }
    const std::size_t built = Basics(harness).size();
    EXPECT_LT(built, 12u);
    EXPECT_TRUE(game.StuckWarningShown());
    EXPECT_EQ(PointsOf(harness), 10000 - 3 * static_cast<int>(built));
    // The refused plot is open again and its routes as they were: enemies still get through.
    harness.PressKey(kKeyN);
    ASSERT_TRUE(harness.RunUntil([&] { return game.Counters().lives < 20; }, 20000));
}

TEST(GameMainFlow, ClickingAnEnemyLocksItOnAndTowersInRangePreferIt) {
    GameHarness harness;
    GameMain& game = harness.Open(RichEasyCorridor());
    harness.Frames(2);
    constexpr float kTowerX = 208.0f;
    constexpr float kTowerY = static_cast<float>(kNorthSideY);
    harness.Place(kBasic, static_cast<int>(kTowerX), kNorthSideY);
    harness.PressKey(kKeyD);
    harness.PressKey(kKeyN);
    const auto* tower = dynamic_cast<const ShootingTank<StraightBullet>*>(Basics(harness)[0].get());
    ASSERT_NE(tower, nullptr);
    const auto& enemies = game.Field()->Enemies();
    const auto distance = [&](const Enemy& enemy) { return std::hypot(enemy.x - kTowerX, enemy.y - kTowerY); };
    // The farthest of the enemies in range (by at least a pixel), when more than one is there.
    const auto farthestInRange = [&]() -> const Enemy* {
        const Enemy* far = nullptr;
        float nearest = 1e9f;
        for (const auto& enemy : enemies) {
            if (enemy->dead != 0 || distance(*enemy) >= 58.0f) {  // a step's margin inside range 60
                continue;
            }
            nearest = std::min(nearest, distance(*enemy));
            if (far == nullptr || distance(*enemy) > distance(*far)) {
                far = enemy.get();
            }
        }
        return (far != nullptr && distance(*far) > nearest + 1.0f) ? far : nullptr;
    };
    // Wait for a frame in which the tower is due to fire and two enemies are in its range.
    ASSERT_TRUE(harness.RunUntil(
        [&] { return tower->FireCounter() == tower->FireInterval() && farthestInRange() != nullptr; }, 20000));
    const Enemy* far = farthestInRange();
    const std::size_t shots = tower->Bullets().size();
    harness.MoveTo(static_cast<int>(far->x), static_cast<int>(far->y));
    harness.Context().SetButtons(1, 0);
    harness.Frame();
    ASSERT_TRUE(game.Controller()->panel.LockOnTarget().Is(far));
    EXPECT_EQ(game.Controller()->cursor.mode, TankObject::kEnemyLocked);

    // The shot of this very frame flies at the locked enemy, not at the nearer one.
    ASSERT_EQ(tower->Bullets().size(), shots + 1);
    const StraightBullet& shot = *tower->Bullets().back();
    const float dx = far->x - kTowerX;
    const float dy = far->y - kTowerY;
    EXPECT_NEAR(std::atan2(shot.vy, shot.vx), std::atan2(dy, dx), 1e-4f);

    // A click on the field elsewhere lets go.
    harness.Click(100, 400);
    EXPECT_FALSE(game.Controller()->panel.LockOnTarget().Exists());
    EXPECT_EQ(game.Controller()->cursor.mode, TankObject::kHidden);
}
