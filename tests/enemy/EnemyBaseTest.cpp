#include <gtest/gtest.h>

#include <cmath>

#include "base/Random.h"
#include "enemy/EnemyTestField.h"
#include "field/WalkCodes.h"

namespace {

constexpr EnemyKind kRed = EnemyKind::RedFairy;
constexpr float kEntranceX = -88.0f;  // centre of cell (2, 22), the route-1 start
constexpr float kEntranceY = 232.0f;

}  // namespace

TEST(EnemyWalk, CrossesACellIn32FramesAndReachesTheExitLine) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY);
    test.Run(fairy, 32);
    EXPECT_FLOAT_EQ(fairy.x, kEntranceX + 16.0f);
    EXPECT_FLOAT_EQ(fairy.y, kEntranceY);
    EXPECT_EQ(fairy.facing, 2);

    int frames = 32;
    while (fairy.x <= 446.0f && frames < 5000) {
        fairy.Frame(1);
        ++frames;
        ASSERT_FLOAT_EQ(fairy.y, kEntranceY);
    }
    // 534 pixels at half a pixel per frame.
    EXPECT_NEAR(frames, 1068, 2);
}

TEST(EnemyWalk, FollowsTheRouteAroundATower) {
    EnemyTestField test;
    // A tower two cells ahead in the enemy's row of the square.
    test.field.ClosePlot(48, 240);
    ASSERT_TRUE(test.field.BuildRoutes());
    test.field.Routes().resteerFrames = 0;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY);
    int frames = 0;
    while (fairy.x <= 446.0f && frames < 5000) {
        fairy.Frame(1);
        ++frames;
        const field::CellPos cell = field::PixelToCell(fairy.x, fairy.y);
        ASSERT_TRUE(test.field.Walls().IsOpen(cell)) << frames;
    }
    EXPECT_LT(frames, 5000);
}

TEST(EnemyWalk, StandsStillOnAStopCodeAndKeepsItsVelocityOnUnroutedCells) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY);
    test.Run(fairy, 1);
    test.field.Routes().SetCode(1, 2, 22, field::kWalkUnreached);
    const float before = fairy.x;
    test.Run(fairy, 2);
    EXPECT_FLOAT_EQ(fairy.x, before + 1.0f);
    test.field.Routes().SetCode(1, 2, 22, field::kWalkStop);
    test.Run(fairy, 2);
    EXPECT_FLOAT_EQ(fairy.x, before + 1.0f);
}

TEST(EnemyWalk, ReaimsAtCellCentresWhileRoutesWereJustRebuilt) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY - 5.0f);
    test.Run(fairy, 1);
    // Not aligned yet: it heads for the centre of the next cell east, slightly downwards.
    EXPECT_GT(fairy.vy, 0.0f);
    EXPECT_NEAR(std::hypot(fairy.vx, fairy.vy), 0.5f, 1e-5f);
    // Aligned and off centre: the velocity is kept.
    const float vy = fairy.vy;
    test.Run(fairy, 1);
    EXPECT_FLOAT_EQ(fairy.vy, vy);
    // After a rebuild it aims again.
    fairy.y = kEntranceY + 5.0f;
    test.field.Routes().resteerFrames = 1;
    test.Run(fairy, 1);
    EXPECT_LT(fairy.vy, 0.0f);
}

TEST(EnemyStates, SlowQuartersTheStepOfAHalfSpeedSlow) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY);
    fairy.slowFrames = 3;
    fairy.slowAmount = 0.5;
    test.Run(fairy, 1);
    EXPECT_FLOAT_EQ(fairy.x, kEntranceX + 0.25f);
    EXPECT_EQ(fairy.slowFrames, 2);
    EXPECT_EQ(fairy.sheets[2].red, 180);
    EXPECT_EQ(fairy.sheets[2].blue, 255);
    test.Run(fairy, 3);
    EXPECT_EQ(fairy.slowFrames, 0);
    EXPECT_EQ(fairy.slowAmount, 0.0);
    EXPECT_EQ(fairy.sheets[5].red, 255);
}

TEST(EnemyStates, ShakeStaysWithinTwoPixelsFreezesTheSlowAndReturnsExactly) {
    Random::Seed(7);
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY);
    test.Run(fairy, 3);
    // The stun holds the enemy where it stood before its last step.
    const float x = fairy.prevX;
    const float y = fairy.prevY;
    fairy.shakeFrames = 40;
    fairy.slowFrames = 5;
    fairy.slowAmount = 0.5;
    bool moved = false;
    for (int i = 0; i < 39; ++i) {
        fairy.Frame(1);
        ASSERT_LE(std::fabs(fairy.x - x), 2.0f);
        ASSERT_LE(std::fabs(fairy.y - y), 2.0f);
        moved = moved || fairy.x != x || fairy.y != y;
    }
    EXPECT_TRUE(moved);
    EXPECT_EQ(fairy.slowFrames, 5);
    fairy.Frame(1);
    EXPECT_EQ(fairy.shakeFrames, 0);
    EXPECT_EQ(fairy.x, x);
    EXPECT_EQ(fairy.y, y);
}

TEST(EnemyStates, KnockbackStopsAtWallsUnlessFree) {
    EnemyTestField test;
    // Row 19 is the top row of the west corridor; row 18 above it is wall.
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, 180.0f);
    fairy.kickVy = -2.0f;
    fairy.kickFrames = 2;
    test.Run(fairy, 1);
    EXPECT_FLOAT_EQ(fairy.y, 180.0f);
    EXPECT_FLOAT_EQ(fairy.kickVy, -1.7f);
    EXPECT_EQ(fairy.kickFrames, 1);

    // Away from the wall the push goes through, and the knockback then ends.
    fairy.kickVy = 2.0f;
    test.Run(fairy, 1);
    EXPECT_FLOAT_EQ(fairy.y, 182.0f);
    EXPECT_EQ(fairy.kickFrames, 0);
    EXPECT_EQ(fairy.kickVy, 0.0f);
    EXPECT_EQ(fairy.aligned, 0);

    Enemy& ghost = test.Spawn(kRed, 1, kEntranceX, 180.0f);
    ghost.kickVy = -2.0f;
    ghost.kickFrames = 2;
    ghost.kickFree = 1;
    ghost.kickVx = 0.005f;  // settles to nothing at once
    test.Run(ghost, 1);
    EXPECT_FLOAT_EQ(ghost.y, 178.0f);
    EXPECT_EQ(ghost.kickVx, 0.0f);
}

TEST(EnemyStates, ScatterOnlyIgnoresWallsWhenTheLandingCellIsRoutable) {
    EnemyTestField test;
    int free = 0;
    Random::Seed(3);
    for (int i = 0; i < 40; ++i) {
        Enemy& furball = test.Spawn(EnemyKind::Furball, 1, 224.0f, 232.0f);
        furball.Scatter();
        EXPECT_EQ(furball.kickFrames, 30);
        EXPECT_NEAR(std::hypot(furball.kickVx, furball.kickVy), 5.0f, 1e-4f);
        free += furball.kickFree;
    }
    // In the open square every landing point is routable.
    EXPECT_EQ(free, 40);

    // Near the top wall of the west corridor every push upwards lands in the wall.
    int corridorFree = 0;
    for (int i = 0; i < 40; ++i) {
        Enemy& furball = test.Spawn(EnemyKind::Furball, 1, kEntranceX, 184.0f);
        furball.Scatter();
        corridorFree += furball.kickFree;
        if (furball.kickVy < -1.5f) {
            EXPECT_EQ(furball.kickFree, 0);
        }
    }
    EXPECT_LT(corridorFree, 40);
    EXPECT_GT(corridorFree, 0);
}

TEST(EnemyFrame, PausedFramesDrawButNothingMovesOrCounts) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY);
    fairy.slowFrames = 4;
    fairy.shakeFrames = 3;
    fairy.Frame(0);
    fairy.Frame(0);
    EXPECT_EQ(fairy.x, kEntranceX);
    EXPECT_EQ(fairy.slowFrames, 4);
    EXPECT_EQ(fairy.shakeFrames, 3);
    EXPECT_EQ(test.device.draws.size(), 6u);  // sheet and two bars, twice
}

TEST(EnemyFrame, NewEnemyIsDrawnWithItsBarsInItsFirstFrame) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, 100.0f, 200.0f, 80);
    fairy.Damage(20.0, false, false);
    fairy.Frame(0);
    ASSERT_EQ(test.device.draws.size(), 3u);
    const auto& sheet = test.device.draws[0];
    EXPECT_FLOAT_EQ(sheet.vertices[0].x, 84.0f);
    EXPECT_FLOAT_EQ(sheet.vertices[3].y, 216.0f);
    EXPECT_EQ(sheet.minFilter, gfx::TEXF_POINT);
    // Facing east: the third row of the sheet.
    EXPECT_FLOAT_EQ(sheet.vertices[0].v, 0.25f);
    const auto& back = test.device.draws[1];
    const auto& bar = test.device.draws[2];
    EXPECT_FLOAT_EQ(back.vertices[0].x, 92.0f);
    EXPECT_FLOAT_EQ(back.vertices[1].x, 108.0f);
    EXPECT_FLOAT_EQ(bar.vertices[1].x, 104.0f);  // 60 of 80
    EXPECT_FLOAT_EQ(bar.vertices[0].y, 186.5f);
    EXPECT_EQ(bar.vertices[0].diffuse, 0xFF00C800u);
    EXPECT_EQ(back.vertices[0].diffuse, 0xFFC81E00u);
}

TEST(EnemyFrame, BigVariantsAreLargerAndFilteredLinearly) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 0, 232.0f, -88.0f, 10, 1, true);
    EXPECT_EQ(fairy.kind, 21);
    EXPECT_EQ(fairy.hitRadius, 8.0f);
    EXPECT_EQ(fairy.facing, 4);
    fairy.Frame(0);
    const auto& sheet = test.device.draws[0];
    EXPECT_FLOAT_EQ(sheet.vertices[1].x - sheet.vertices[0].x, 48.0f);
    EXPECT_EQ(sheet.minFilter, gfx::TEXF_LINEAR);
    EXPECT_FLOAT_EQ(sheet.vertices[0].v, 0.5f);
}

TEST(EnemyDamage, ExactHealthKillsOnceAndTheBurstEndsTheEnemy) {
    EnemyTestField test;
    Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY, 30);
    fairy.Damage(29.5, false, false);
    EXPECT_EQ(fairy.dead, 0);
    fairy.Damage(0.5, false, false);
    EXPECT_EQ(fairy.dead, 1);
    EXPECT_EQ(fairy.deathBurst.alive, 1);
    fairy.Damage(5.0, false, false);
    EXPECT_DOUBLE_EQ(fairy.hp, -5.0);

    int frames = 0;
    while (fairy.alive != 0 && frames < 200) {
        fairy.Frame(1);
        ++frames;
    }
    EXPECT_LT(frames, 200);
    EXPECT_FLOAT_EQ(fairy.x, kEntranceX);  // the dead do not walk
    EXPECT_EQ(fairy.goneFrames, frames);
    fairy.Frame(1);
    EXPECT_EQ(fairy.goneFrames, frames + 1);
}

TEST(EnemyRefs, ForgetTheEnemyWhenTheFieldDeletesItAndOutliveIt) {
    EnemyRef survivor;
    EnemyRef copy;
    {
        EnemyTestField test;
        Enemy& fairy = test.Spawn(kRed, 1, kEntranceX, kEntranceY, 30);
        Enemy& other = test.Spawn(kRed, 0, 232.0f, -88.0f, 30);
        const EnemyRef ref = fairy.Ref();
        copy = ref;
        survivor = other.Ref();
        EXPECT_TRUE(ref.Is(&fairy));
        EXPECT_FALSE(ref.Is(&other));

        fairy.alive = 0;
        fairy.goneFrames = 2;
        test.field.RemoveFinishedEnemies();
        EXPECT_FALSE(ref.Exists());
        EXPECT_EQ(copy.Get(), nullptr);
        EXPECT_TRUE(survivor.Is(&other));
    }
    // The field and every enemy are gone; the references are still safe to ask.
    EXPECT_FALSE(survivor.Exists());
    EXPECT_FALSE(EnemyRef().Exists());
}
