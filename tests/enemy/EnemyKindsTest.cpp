#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/Random.h"
#include "enemy/EnemyNames.h"
#include "enemy/EnemyTestField.h"
#include "enemy/Enemy_Frelle.h"
#include "enemy/Enemy_Noctra.h"
#include "field/WalkCodes.h"
#include "gfx/NullDevice.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FileClass.h"

TEST(EnemyKinds, EvilEyeArmourIsItsWaveNumber) {
    EnemyTestField test;
    Enemy& eye = test.Spawn(EnemyKind::EvilEye, 1, 100.0f, 200.0f, 100, 10);
    EXPECT_TRUE(eye.IsYoukai());
    eye.Damage(10.0, false, false);
    EXPECT_DOUBLE_EQ(eye.hp, 100.0);
    eye.Damage(10.9, false, false);  // truncated to 10: still no damage
    EXPECT_DOUBLE_EQ(eye.hp, 100.0);
    eye.Damage(15.0, false, false);
    EXPECT_DOUBLE_EQ(eye.hp, 95.0);
    eye.Damage(12.0, false, true);
    EXPECT_DOUBLE_EQ(eye.hp, 95.0 - (12.0 - 10.0 / 60.0));
    eye.Damage(0.1, false, true);
    EXPECT_DOUBLE_EQ(eye.hp, 95.0 - (12.0 - 10.0 / 60.0));
    eye.Damage(200.0, false, false);
    EXPECT_EQ(eye.dead, 1);
}

TEST(EnemyKinds, GhostTakesHalfUnlessExposedAndShowsItsExposedFace) {
    g_FileClass.AddTexture("enemy_spirit.png", std::make_unique<gfx::Texture>(16, 16));
    g_FileClass.AddTexture("enemy_spirit2.png", std::make_unique<gfx::Texture>(16, 16));
    EnemyTestField test;
    Enemy& ghost = test.Spawn(EnemyKind::Ghost, 1, 100.0f, 200.0f, 100);
    EXPECT_EQ(ghost.sheets[0].texture, g_FileClass.FindTexture("enemy_spirit.png"));
    ghost.Damage(10.0, false, false);
    EXPECT_DOUBLE_EQ(ghost.hp, 95.0);

    ghost.exposeFrames = 2;
    ghost.Damage(10.0, false, false);
    EXPECT_DOUBLE_EQ(ghost.hp, 80.0);
    ghost.Frame(1);
    EXPECT_EQ(ghost.sheets[2].texture, g_FileClass.FindTexture("enemy_spirit2.png"));
    EXPECT_EQ(ghost.exposeFrames, 1);
    ghost.Frame(1);
    ghost.Frame(1);
    EXPECT_EQ(ghost.exposeFrames, 0);
    EXPECT_EQ(ghost.sheets[2].texture, g_FileClass.FindTexture("enemy_spirit.png"));
    ghost.Damage(10.0, false, false);
    EXPECT_DOUBLE_EQ(ghost.hp, 75.0);
}

TEST(EnemyKinds, SpringFairyFliesStraightOverScenery) {
    EnemyTestField test(1, 1);  // the library, two routes
    Enemy& across = test.Spawn(EnemyKind::Vernie, 1, -88.0f, 216.0f);
    Enemy& down = test.Spawn(EnemyKind::Vernie, 0, 216.0f, -88.0f);
    EXPECT_TRUE(across.IsFlying());
    bool overScenery = false;
    int frames = 0;
    while (across.x <= 446.0f && frames < 3000) {
        across.Frame(1);
        down.Frame(1);
        ++frames;
        ASSERT_EQ(across.y, 216.0f);
        ASSERT_EQ(down.x, 216.0f);
        overScenery = overScenery || !test.field.Walls().IsOpen(field::PixelToCell(across.x, across.y));
    }
    EXPECT_TRUE(overScenery);
    EXPECT_EQ(across.facing, 2);
    EXPECT_EQ(down.facing, 4);
    // 0.8 speed: 0.4 pixel per frame over 534 pixels.
    EXPECT_NEAR(frames, 1336, 2);
    EXPECT_GT(down.y, 446.0f);
}

TEST(EnemyKinds, IceFairyIgnoresSlowing) {
    EnemyTestField test;
    Enemy& frelle = test.Spawn(EnemyKind::Frelle, 1, -88.0f, 232.0f);
    frelle.Frame(1);  // her first frame is spent confused
    const float x = frelle.x;
    frelle.slowFrames = 30;
    frelle.slowAmount = 0.5;
    test.Run(frelle, 10);
    EXPECT_FLOAT_EQ(frelle.x, x + 5.0f);
    EXPECT_EQ(frelle.slowFrames, 30);
}

TEST(EnemyKinds, IceFairyShowsHerMarkInTheFirstFrameThenWalks) {
    EnemyTestField test;
    Enemy& frelle = test.Spawn(EnemyKind::Frelle, 1, -88.0f, 232.0f, 100, 1, true);
    frelle.Frame(1);
    EXPECT_EQ(frelle.confuseFrames, 0);
    // Sheet, two bars, then the 24-pixel mark over her head.
    ASSERT_EQ(test.device.draws.size(), 4u);
    const auto& mark = test.device.draws[3];
    EXPECT_FLOAT_EQ(mark.vertices[1].x - mark.vertices[0].x, 24.0f);
    EXPECT_FLOAT_EQ(mark.vertices[0].y, 232.0f - 18.0f - 12.0f);
    EXPECT_EQ(mark.minFilter, gfx::TEXF_POINT);
    EXPECT_GT(frelle.x, -88.0f);
}

TEST(EnemyKinds, IceFairyIsConfusedByRouteChangesSevenTimesInTen) {
    Random::Seed(11);
    EnemyTestField test;
    int confused = 0;
    constexpr int kTrials = 2000;
    for (int i = 0; i < kTrials; ++i) {
        Enemy_Frelle frelle(test.At(1, -88.0f, 232.0f, 10, 10));
        frelle.confuseFrames = 0;
        frelle.OnRouteChange(field::kWalkEast);
        EXPECT_EQ(frelle.lastCode, field::kWalkEast);
        if (frelle.confuseFrames > 0) {
            ++confused;
            ASSERT_GE(frelle.confuseFrames, 60);
            ASSERT_LT(frelle.confuseFrames, 100);
        }
    }
    EXPECT_NEAR(confused, kTrials * 71 / 100, kTrials / 20);

    // The same code again, or a new one while confused, changes nothing.
    Enemy_Frelle frelle(test.At(1, -88.0f, 232.0f, 10, 10));
    frelle.confuseFrames = 0;
    frelle.lastCode = field::kWalkSouth;
    frelle.OnRouteChange(field::kWalkSouth);
    EXPECT_EQ(frelle.confuseFrames, 0);
    frelle.confuseFrames = 5;
    frelle.OnRouteChange(field::kWalkNorth);
    EXPECT_EQ(frelle.confuseFrames, 5);
    EXPECT_EQ(frelle.lastCode, field::kWalkSouth);
}

TEST(EnemyKinds, ConfusedIceFairyStandsAndLooksAroundEvenWhilePaused) {
    Random::Seed(5);
    EnemyTestField test;
    Enemy& frelle = test.Spawn(EnemyKind::Frelle, 1, -88.0f, 232.0f);
    test.Run(frelle, 3);
    const float x = frelle.x;
    const int walkingFacing = frelle.facing;
    frelle.confuseFrames = 36;
    int turns = 0;
    for (int i = 0; i < 35; ++i) {
        const int before = frelle.facing;
        const int counter = frelle.confuseFrames;
        frelle.Frame(i % 2);
        if (counter % 12 == 0) {
            ASSERT_NE(frelle.facing, before);
            ++turns;
        } else {
            ASSERT_EQ(frelle.facing, before);
        }
        ASSERT_EQ(frelle.x, x);
    }
    EXPECT_EQ(turns, 3);
    EXPECT_EQ(frelle.confuseFrames, 1);
    frelle.Frame(0);
    EXPECT_EQ(frelle.confuseFrames, 0);
    EXPECT_EQ(frelle.facing, walkingFacing);
    EXPECT_GT(frelle.x, x);  // she walks on at once
}

TEST(EnemyKinds, RouteRebuildsTriggerTheIceFairy) {
    Random::Seed(2);
    EnemyTestField test;
    Enemy& frelle = test.Spawn(EnemyKind::Frelle, 1, -88.0f, 232.0f, 100, 20);
    frelle.Frame(1);
    int confusions = 0;
    for (int i = 0; i < 40; ++i) {
        // Alternate the code under her, as towers placed nearby would.
        test.field.Routes().SetCode(1, 2, 22, i % 2 == 0 ? field::kWalkEast : field::kWalkSouthEast);
        test.field.Routes().resteerFrames = 2;
        frelle.x = -88.0f;
        frelle.y = 232.0f;
        frelle.confuseFrames = 0;
        frelle.Frame(1);
        confusions += frelle.confuseFrames > 0 ? 1 : 0;
    }
    EXPECT_GT(confusions, 15);
    EXPECT_LT(confusions, 40);
}

TEST(EnemyKinds, DarknessGrowsToItsLimitsAndShrinksAfterDeath) {
    EnemyTestField test;
    auto& noctra = static_cast<Enemy_Noctra&>(test.Spawn(EnemyKind::Noctra, 1, -88.0f, 232.0f, 100, 30));
    auto& bigNoctra = static_cast<Enemy_Noctra&>(test.Spawn(EnemyKind::Noctra, 1, -88.0f, 232.0f, 100, 30, true));
    auto& lateNoctra = static_cast<Enemy_Noctra&>(test.Spawn(EnemyKind::Noctra, 1, -88.0f, 232.0f, 100, 90));
    EXPECT_TRUE(noctra.IsYoukai());
    test.Run(noctra, 100);
    EXPECT_EQ(noctra.shadowSize.Get(), 100);
    EXPECT_FLOAT_EQ(noctra.shadow.width, 100.0f);
    test.Run(noctra, 200);
    test.Run(bigNoctra, 400);
    test.Run(lateNoctra, 400);
    EXPECT_EQ(noctra.shadowSize.Get(), 160);
    EXPECT_EQ(noctra.shadowAlpha.Get(), 210);
    EXPECT_EQ(noctra.shadow.alpha, 210);
    EXPECT_EQ(bigNoctra.shadowSize.Get(), 320);
    EXPECT_EQ(bigNoctra.shadowAlpha.Get(), 250);
    EXPECT_EQ(lateNoctra.shadowSize.Get(), 200);

    noctra.Damage(1000.0, false, false);
    test.Run(noctra, 2);
    EXPECT_EQ(noctra.shadowSize.Get(), 150);
    EXPECT_EQ(noctra.shadowAlpha.Get(), 170);
    EXPECT_EQ(noctra.shadow.red + noctra.shadow.green + noctra.shadow.blue, 0);

    const std::size_t before = test.device.draws.size();
    noctra.DrawOverlay(0);
    ASSERT_EQ(test.device.draws.size(), before + 1);
    EXPECT_EQ(test.device.draws.back().vertices[0].diffuse >> 24, 170u);
}

TEST(EnemyKinds, BigFurballSplitsIntoTwoThenFourHalves) {
    EnemyTestField test(0, 1);
    Battlefield& field = test.field;
    field.SpawnWave(&test.device, KindId(EnemyKind::BigFurball, true), 200, 9, 1);
    ASSERT_EQ(field.Enemies().size(), 2u);
    Enemy& parent = *field.Enemies()[0];
    EXPECT_EQ(parent.splitDepth, 2);
    parent.x = 200.0f;
    parent.y = 200.0f;
    field.SplitFurball(&test.device, parent);
    ASSERT_EQ(field.Enemies().size(), 4u);
    for (std::size_t i = 2; i < 4; ++i) {
        const Enemy& child = *field.Enemies()[i];
        EXPECT_EQ(child.kind, KindId(EnemyKind::Furball, true));
        EXPECT_EQ(child.hp, 100.0);
        EXPECT_EQ(child.maxHp, 100);
        EXPECT_EQ(child.reward, 0u);
        EXPECT_EQ(child.splitDepth, 1);
        EXPECT_EQ(child.route, parent.route);
        EXPECT_EQ(child.kickFrames, 30);
    }
    field.SplitFurball(&test.device, *field.Enemies()[2]);
    field.SplitFurball(&test.device, *field.Enemies()[3]);
    ASSERT_EQ(field.Enemies().size(), 8u);
    for (std::size_t i = 4; i < 8; ++i) {
        EXPECT_EQ(field.Enemies()[i]->hp, 50.0);
        EXPECT_EQ(field.Enemies()[i]->splitDepth, 0);
    }
    // The last generation, and enemies of other kinds, leave nothing.
    field.SplitFurball(&test.device, *field.Enemies()[4]);
    Enemy& fairy = test.Spawn(EnemyKind::RedFairy, 1, 100.0f, 100.0f);
    fairy.splitDepth = 3;
    field.SplitFurball(&test.device, fairy);
    EXPECT_EQ(field.Enemies().size(), 9u);
}

TEST(EnemyKinds, EveryKindIdHasOneNameAndAFactoryEntry) {
    EnemyTestField test;
    std::set<std::string> names;
    for (int id = -1; id <= 2 * kBigKindOffset + 1; ++id) {
        const std::string name = EnemyDisplayName(id);
        // The fairy squad is a wave of four kinds, not an enemy of its own.
        if (!IsKindId(id) || KindOf(id) == EnemyKind::FairySquad) {
            EXPECT_EQ(name, "例外IDです") << id;
            continue;
        }
        const EnemyKind kind = KindOf(id);
        const bool big = IsBigKindId(id);
        EXPECT_NE(name, "例外IDです") << id;
        EXPECT_EQ(name, EnemyDisplayName(KindId(kind))) << id;  // the big variant shares the name
        names.insert(name);
        const auto enemy = field::CreateEnemy(kind, test.At(1, 100.0f, 200.0f, 100, 1, big));
        ASSERT_NE(enemy, nullptr) << id;
        EXPECT_EQ(enemy->kind, id);
        EXPECT_EQ(enemy->IsBig(), big);
        EXPECT_EQ(enemy->hitRadius, big ? 8.0f : 6.0f) << id;
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kEnemyKindCount - 1));
    EXPECT_EQ(field::CreateEnemy(EnemyKind::FairySquad, test.At(1, 100.0f, 200.0f)), nullptr);
}

namespace {

// How a field's enemies fared, frame by frame: how many were left after the frame's reaping,
// and where each stood.
struct FieldRun {
    std::vector<std::size_t> left;
    std::vector<float> places;
};

// A wave of every kind on a two-route field, all killed at once in frame 90, run until the
// field is empty. Drawn runs go through FrameEnemies, undrawn ones through UpdateEnemies alone.
FieldRun RunWavesOfEveryKind(gfx::Device* device, bool drawn) {
    Random::Seed(3);
    Battlefield field(0, 1);
    field.BuildRoutes();
    for (int id = 1; id <= kEnemyKindCount; ++id) {
        field.SpawnWave(device, id, 50, 1, 5);
    }
    FieldRun run;
    for (int frame = 0; frame < 400 && !field.Enemies().empty(); ++frame) {
        if (frame == 90) {
            for (const auto& enemy : field.Enemies()) {
                enemy->Damage(1000.0, false, false);
            }
        }
        if (drawn) {
            field.FrameEnemies(1);
        } else {
            field.UpdateEnemies(1);
        }
        field.RemoveFinishedEnemies();
        run.left.push_back(field.Enemies().size());
        for (const auto& enemy : field.Enemies()) {
            run.places.push_back(enemy->x);
            run.places.push_back(enemy->y);
        }
    }
    return run;
}

}  // namespace

TEST(EnemyKinds, AFieldRunsAndReapsTheSameWhetherOrNotItIsDrawn) {
    gfx::SoftwareDevice software(nullptr);
    const FieldRun shown = RunWavesOfEveryKind(&software, true);
    ASSERT_GT(shown.left.size(), 91u);
    EXPECT_EQ(shown.left[89], shown.left.front());  // nobody leaves before the kill
    EXPECT_EQ(shown.left.back(), 0u);               // and every dead enemy is reaped

    gfx::NullDevice nothing;
    const FieldRun unseen = RunWavesOfEveryKind(&nothing, true);
    EXPECT_EQ(unseen.left, shown.left);
    EXPECT_EQ(unseen.places, shown.places);

    const FieldRun undrawn = RunWavesOfEveryKind(nullptr, false);
    EXPECT_EQ(undrawn.left, shown.left);
    EXPECT_EQ(undrawn.places, shown.places);
}
