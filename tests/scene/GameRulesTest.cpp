// The battle's smaller rules, each set up so that a wrong rule shows: the lock-on reach, the
// option bytes that change the points and the start, the points cap, when skips earn a bonus,
// and how long the pause menu's choice blinks before the battle is left.
#include <gtest/gtest.h>

#include "field/TankObject.h"
#include "object/LevelGauge.h"
#include "scene/GameHarness.h"

namespace {

constexpr int kBasic = 1;
constexpr int kNorthSideY = 176;
constexpr int kSouthSideY = 272;
constexpr int kOptionSkipPreparation = 5;
// One wave of eight red fairies on the easy corridor, each dying to the first shot and dropping
// one item of 16 points.
constexpr int kFairies = 8;
constexpr int kReward = 16;

field::StageRequest EasyCorridor() {
    field::StageRequest request;
    request.stage = 0;
    request.difficulty = 0;
    return request;
}

waves::Stage OneWeakWave(int points) { return {"rouka_easy", points, {{1, 1, kReward}}}; }

// Lines both sides of the route with basic towers (3 points each), calls the wave and plays
// until the stage ends; the points just before the wave are returned.
constexpr int kDefenceCost = 24 * 3;
int DefendTheWeakWave(GameHarness& harness) {
    GameMain& game = harness.Game();
    harness.Frames(2);
    for (const int y : {kNorthSideY, kSouthSideY}) {
        for (int x = 48; x <= 400; x += 32) {
            harness.Place(kBasic, x, y);
        }
    }
    harness.PressKey(kKeyD);
    EXPECT_EQ(game.Controller()->Towers(kBasic).size(), 24u);
    const int points = game.Counters().points;
    harness.PressKey(kKeyN);
    EXPECT_TRUE(harness.RunUntil([&] { return game.Cleared() || game.Failed(); }, 20000));
    EXPECT_TRUE(game.Cleared());
    EXPECT_EQ(game.Counters().lives, 20);
    return points;
}

// Presses the left button at (x, y) in the frame, without a frame of hovering before.
void PressAt(GameHarness& harness, int x, int y) {
    harness.MoveTo(x, y);
    harness.Context().SetButtons(1, 0);
    harness.Frame();
}

}  // namespace

// A click locks an enemy on when it lies strictly within 16 pixels on each axis: 15.5 pixels
// away on either side of either axis, or on both at once, reaches; 16 does not.
TEST(GameMainRules, AClickLocksOnAnEnemyStrictlyWithinSixteenPixelsOnEachAxis) {
    GameHarness harness;
    GameMain& game = harness.Open(EasyCorridor());
    harness.PressKey(kKeyN);
    const auto& enemies = game.Field()->Enemies();
    ASSERT_TRUE(harness.RunUntil([&] { return !enemies.empty(); }, 3000));
    // The enemy is put, for each click, well away from the route and the rest of its wave; the
    // click is read before the enemies move in the frame.
    Enemy& target = *enemies.front();
    constexpr int kX = 300;
    constexpr int kY = 100;
    const auto locked = [&] { return game.Controller()->panel.LockOnTarget().Is(&target); };
    struct Offset {
        int dx;
        int dy;
    };
    for (const Offset side : {Offset{1, 0}, Offset{-1, 0}, Offset{0, 1}, Offset{0, -1}, Offset{1, 1}}) {
        SCOPED_TRACE(testing::Message() << "towards (" << side.dx << ", " << side.dy << ")");
        const int clickX = kX + 16 * side.dx;
        const int clickY = kY + 16 * side.dy;
        target.x = static_cast<float>(kX);
        target.y = static_cast<float>(kY);
        PressAt(harness, clickX, clickY);
        EXPECT_FALSE(game.Controller()->panel.LockOnTarget().Exists());
        EXPECT_NE(game.Controller()->cursor.mode, TankObject::kEnemyLocked);

        target.x = static_cast<float>(kX) + 0.5f * static_cast<float>(side.dx);
        target.y = static_cast<float>(kY) + 0.5f * static_cast<float>(side.dy);
        PressAt(harness, clickX, clickY);
        EXPECT_TRUE(locked());
        EXPECT_EQ(game.Controller()->cursor.mode, TankObject::kEnemyLocked);

        // A click on empty field lets go before the next side.
        PressAt(harness, 100, 400);
        ASSERT_FALSE(game.Controller()->panel.LockOnTarget().Exists());
    }
}

TEST(GameMainRules, OptionByteThreeStartsWith3000AndItemsScoreWithoutRaisingThePoints) {
    GameHarness harness;
    harness.UseWaves({OneWeakWave(40)});
    field::StageRequest request = EasyCorridor();
    request.options[field::kOptionModestStart] = 1;
    GameMain& game = harness.Open(request);
    EXPECT_EQ(game.Counters().points, 3000);
    const int points = DefendTheWeakWave(harness);
    EXPECT_EQ(points, 3000 - kDefenceCost);
    EXPECT_EQ(game.Counters().points, points);
    EXPECT_EQ(game.ItemScore(), kFairies * kReward);
    EXPECT_EQ(game.StageScore(), 20 * 50 + kFairies * kReward);
}

TEST(GameMainRules, ItemsRaiseThePointsNoHigherThan99999) {
    GameHarness harness;
    harness.UseWaves({OneWeakWave(99999)});
    GameMain& game = harness.Open(EasyCorridor());
    EXPECT_EQ(game.Counters().points, 99999);
    const int points = DefendTheWeakWave(harness);
    ASSERT_GT(points + kFairies * kReward, 99999);  // the items would carry the points past the cap
    EXPECT_EQ(game.Counters().points, 99999);
    EXPECT_EQ(game.ItemScore(), kFairies * kReward);  // the score is not capped with the points
}

TEST(GameMainRules, OptionByteFiveStartsTheStageInItsFirstFrame) {
    GameHarness harness;
    field::StageRequest request = EasyCorridor();
    request.options[kOptionSkipPreparation] = 1;
    GameMain& game = harness.Open(request);
    ASSERT_TRUE(game.Preparing());
    harness.Frame();
    EXPECT_FALSE(game.Preparing());
    // The waves then come on the gauge's schedule without a press of the start button.
    EXPECT_TRUE(harness.RunUntil([&] { return game.Counters().waveCount == 1; }, 200));
}

// A skip before the first wave has come brings it at once and earns nothing; the same skip once
// it has come earns the distance skipped less one, as the gauge counts it.
TEST(GameMainRules, ASkipEarnsABonusOnlyOnceTheFirstWaveHasCome) {
    GameHarness harness;
    GameMain& game = harness.Open(EasyCorridor());
    harness.Frames(2);
    harness.PressKey(kKeyN);
    ASSERT_FALSE(game.Preparing());
    const LevelGaugeShared& gauge = LevelGaugeShared::Get();
    const int scroll = gauge.scrollX;
    harness.PressKey(kKeyN);
    ASSERT_LT(gauge.scrollX, scroll - 1);  // the gauge jumped: a skip worth something once counted
    EXPECT_EQ(game.BonusScore(), 0);
    harness.Frame();
    ASSERT_EQ(game.Counters().waveCount, 1);

    // The next box 40 pixels from its mark, just stepped there: the skip is worth 39.
    const auto distance = [&] {
        return gauge.scrollX + LevelGauge::kBoxSpacing * (gauge.currentWave + 1) - LevelGauge::kMarkX;
    };
    ASSERT_TRUE(harness.RunUntil([&] { return distance() == 41; }, 3000));
    ASSERT_TRUE(harness.RunUntil([&] { return distance() == 40; }, 100));
    harness.PressKey(kKeyN);
    EXPECT_EQ(game.BonusScore(), 39);
    harness.Frame();
    EXPECT_EQ(game.Counters().waveCount, 2);
}

// The chosen item of the pause menu blinks for 43 frames after the click; in the 43rd the battle
// asks for the title (or its own restart).
TEST(GameMainRules, AMenuChoiceBlinksFor43FramesBeforeTheBattleIsLeft) {
    constexpr int kTitleItemY = 310;
    constexpr int kRetryItemY = 360;
    for (const int itemY : {kTitleItemY, kRetryItemY}) {
        SCOPED_TRACE(itemY == kTitleItemY ? "title" : "retry");
        GameHarness harness;
        GameMain& game = harness.Open(EasyCorridor());
        harness.Frames(2);
        harness.PressKey(kKeySpace);
        ASSERT_TRUE(harness.RunUntil([&] { return game.MenuOpen(); }, 2));
        harness.Frames(3);
        harness.Click(224, itemY);
        const auto left = [&] {
            const SceneContext& context = harness.Context();
            return context.transitionMode == TransitionMode::Leaving &&
                   (itemY == kTitleItemY ? context.sceneCode == SceneCode::Title : context.restart == 1);
        };
        ASSERT_FALSE(left());
        for (int frame = 1; frame < 43; ++frame) {
            harness.Frame();
            ASSERT_FALSE(left()) << "left after " << frame << " frames";
        }
        harness.Frame();
        EXPECT_TRUE(left());
    }
}
