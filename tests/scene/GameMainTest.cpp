#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "audio/StreamingTrack.h"
#include "bullet/StraightBullet.h"
#include "field/TankObject.h"
#include "object/LevelGauge.h"
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

// The corridor on easy as the test's own wave data: three waves of red fairies that die to a
// shot or two, each dropping items worth kFairyReward (16 + 4 + 1).
constexpr int kFairyReward = 21;
constexpr int kWeakWaves = 3;
waves::Stage WeakCorridor(int points) {
    waves::Stage stage{"rouka_easy", points, {}};
    for (int wave = 0; wave < kWeakWaves; ++wave) {
        stage.waves.push_back({1, 6, kFairyReward});
    }
    return stage;
}

// How many pixels the next wave's box still has to scroll to its mark.
int NextBoxDistance() {
    const LevelGaugeShared& gauge = LevelGaugeShared::Get();
    return gauge.scrollX + LevelGauge::kBoxSpacing * (gauge.currentWave + 1) - LevelGauge::kMarkX;
}

// A skip moves the gauge on by the next box's distance from its mark and is worth one less.
constexpr int kSkipDistance = 31;
constexpr int kSkipBonus = kSkipDistance - 1;

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

// The score is worked out from what the test set up: the rewards of the fairies it let come, the
// skips it made and the lives it kept, never from the scene's own item and bonus figures. A
// stored record below that score is raised to it; one above stays.
TEST(GameMainFlow, ClearingTheStageRecordsLivesBonusAndItemsAsTheBestScore) {
    for (const int stored : {1000, CSaveFile::kMaxScore}) {
        SCOPED_TRACE(stored);
        GameHarness harness;
        harness.UseWaves({WeakCorridor(10000)});
        const field::StageRequest request = EasyCorridor();
        CSaveFile().Save(0, 0, 0, request.options, stored);
        GameMain& game = harness.Open(request);
        harness.Frames(2);
        BuildFullDefence(harness);
        ASSERT_EQ(Basics(harness).size(), 24u);

        harness.PressKey(kKeyN);
        // A skip before the first wave came brings it at once but is worth nothing.
        const int scroll = LevelGaugeShared::Get().scrollX;
        harness.PressKey(kKeyN);
        ASSERT_LT(LevelGaugeShared::Get().scrollX, scroll - 1);
        ASSERT_EQ(game.Counters().waveCount, 0);

        // Every later wave is called when its box is kSkipDistance pixels from the mark, right
        // after the gauge stepped there (so no step falls into the frame of the skip).
        int skips = 0;
        int fairies = 0;
        int lastDistance = 0;
        for (int frame = 0; frame < 20000 && !game.Cleared() && !game.Failed(); ++frame) {
            const int distance = NextBoxDistance();
            if (game.Counters().waveCount > 0 && !game.Gauge().AllStarted() && distance == kSkipDistance &&
                lastDistance == kSkipDistance + 1) {
                harness.Context().SetKey(kKeyN, 1);
                ++skips;
            }
            lastDistance = distance;
            const int released = game.Counters().waveCount;
            harness.Frame();
            if (game.Counters().waveCount != released) {
                const int wave = game.Gauge().WaveNumber();
                fairies += static_cast<int>(std::count_if(game.Field()->Enemies().begin(), game.Field()->Enemies().end(),
                                                          [&](const auto& enemy) { return enemy->level == wave; }));
            }
        }
        ASSERT_TRUE(game.Cleared());
        ASSERT_EQ(game.Counters().waveCount, kWeakWaves);
        EXPECT_EQ(skips, kWeakWaves - 1);
        EXPECT_EQ(fairies, 8 * kWeakWaves);  // easy sends eight a wave on its one route
        EXPECT_EQ(game.Counters().lives, 20);
        const int score = 20 * 50 + skips * kSkipBonus + fairies * kFairyReward;
        EXPECT_EQ(game.StageScore(), score);
        EXPECT_EQ(game.BestScore(), std::max(score, stored));
        EXPECT_TRUE(game.Field()->Enemies().empty());
        EXPECT_EQ(game.ItemCount(), 0u);

        CSaveFile saved;
        EXPECT_EQ(saved.ReadBestScore(0, 0, 0, request.options), std::max(score, stored));
        // Easy clears do not mark the stage as cleared.
        EXPECT_EQ(saved.settings[CSaveFile::kStageCleared0], 0u);
    }
}

// The lost battle skips waves for a bonus above the stored record, so recording a loss's score
// would show in the file.
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
            if (game.Counters().waveCount > 0 && game.Counters().waveCount < 5 && NextBoxDistance() == 40) {
                harness.Context().SetKey(kKeyN, 1);
            }
            return game.Failed();
        },
        60000));
    EXPECT_EQ(crossings, 20);
    EXPECT_EQ(game.Counters().lives, 0);
    EXPECT_EQ(harness.Context().transitionMode, TransitionMode::Frozen);
    EXPECT_FALSE(game.Cleared());
    ASSERT_GT(game.BonusScore(), recordBefore);
    EXPECT_EQ(game.BestScore(), recordBefore);

    // Ended: nothing moves any more (the enemies that went through are only cleared away).
    struct Standing {
        const Enemy* enemy;
        float x;
        float y;
    };
    std::vector<Standing> standing;
    for (const auto& enemy : game.Field()->Enemies()) {
        if (enemy->alive != 0) {
            standing.push_back({enemy.get(), enemy->x, enemy->y});
        }
    }
    ASSERT_FALSE(standing.empty());
    harness.Frames(30);
    for (const Standing& before : standing) {
        const auto& enemies = game.Field()->Enemies();
        const auto now = std::find_if(enemies.begin(), enemies.end(),
                                      [&](const auto& enemy) { return enemy.get() == before.enemy; });
        ASSERT_NE(now, enemies.end());
        EXPECT_EQ((*now)->x, before.x);
        EXPECT_EQ((*now)->y, before.y);
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
    // Eleven of the twelve stand: only the last would close the field.
    ASSERT_EQ(Basics(harness).size(), 11u);
    for (const auto& tower : Basics(harness)) {
        EXPECT_LT(tower->Y(), 400);
    }
    EXPECT_FALSE(game.Field()->PlotRefused(208, 400));
    EXPECT_TRUE(game.StuckWarningShown());
    EXPECT_EQ(PointsOf(harness), 10000 - 3 * 11);
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
    // A point within the 16 pixels a click reaches on each axis of the enemy and of no other, dying
    // ones included: a click there locks that enemy whatever crowds around it.
    const auto reaches = [](int x, int y, const Enemy& enemy) {
        return std::fabs(static_cast<float>(x) - enemy.x) < 16.0f && std::fabs(static_cast<float>(y) - enemy.y) < 16.0f;
    };
    const auto clickPoint = [&](const Enemy& target) -> std::optional<std::pair<int, int>> {
        for (int dy = -15; dy <= 15; ++dy) {
            for (int dx = -15; dx <= 15; ++dx) {
                const int x = static_cast<int>(target.x) + dx;
                const int y = static_cast<int>(target.y) + dy;
                if (reaches(x, y, target) && std::none_of(enemies.begin(), enemies.end(), [&](const auto& other) {
                        return other.get() != &target && reaches(x, y, *other);
                    })) {
                    return std::pair{x, y};
                }
            }
        }
        return std::nullopt;
    };
    // The farthest of the enemies in range (by at least a pixel), when more than one is there and
    // a click can pick it out.
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
        return (far != nullptr && distance(*far) > nearest + 1.0f && clickPoint(*far)) ? far : nullptr;
    };
    // Wait for a frame in which the tower is due to fire and two enemies are in its range.
    ASSERT_TRUE(harness.RunUntil(
        [&] { return tower->FireCounter() == tower->FireInterval() && farthestInRange() != nullptr; }, 20000));
    const Enemy* far = farthestInRange();
    const std::size_t shots = tower->Bullets().size();
    const auto [clickX, clickY] = *clickPoint(*far);
    harness.MoveTo(clickX, clickY);
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
