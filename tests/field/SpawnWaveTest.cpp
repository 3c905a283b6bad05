#include <gtest/gtest.h>

#include <vector>

#include "base/Random.h"
#include "field/Battlefield.h"
#include "support/RecordingDevice.h"

namespace {

struct WaveField {
    explicit WaveField(int difficulty) : field(0, difficulty) {
        field.SetWaveAppear([this](int kind) { appeared.push_back(kind); });
    }

    const Enemy& At(std::size_t i) const { return *field.Enemies()[i]; }

    Battlefield field;
    std::vector<int> appeared;
};

void ExpectInWestCorridor(const Enemy& enemy) {
    EXPECT_EQ(enemy.route, 1);
    EXPECT_GE(enemy.x, -112.0f);
    EXPECT_LE(enemy.x, -2.0f);
    EXPECT_GE(enemy.y, 192.0f);
    EXPECT_LE(enemy.y, 270.0f);
}

void ExpectInNorthCorridor(const Enemy& enemy) {
    EXPECT_EQ(enemy.route, 0);
    EXPECT_GE(enemy.x, 192.0f);
    EXPECT_LE(enemy.x, 270.0f);
    EXPECT_GE(enemy.y, -112.0f);
    EXPECT_LE(enemy.y, -2.0f);
}

}  // namespace

TEST(SpawnWave, EasyReleasesEightOnTheWestRouteAndNormalSixteenOnBoth) {
    WaveField easy(0);
    easy.field.SpawnWave(nullptr, KindId(EnemyKind::RedFairy), 40, 3, 4);
    ASSERT_EQ(easy.field.Enemies().size(), 8u);
    for (const auto& enemy : easy.field.Enemies()) {
        ExpectInWestCorridor(*enemy);
        EXPECT_EQ(enemy->kind, KindId(EnemyKind::RedFairy));
        EXPECT_EQ(enemy->hp, 40.0);
        EXPECT_EQ(enemy->reward, 3u);
        EXPECT_EQ(enemy->level, 4);
        EXPECT_EQ(static_cast<int>(enemy->x) % 2, 0);
    }
    EXPECT_EQ(easy.appeared, std::vector<int>{KindId(EnemyKind::RedFairy)});

    WaveField normal(1);
    normal.field.SpawnWave(nullptr, KindId(EnemyKind::Crow), 40, 3, 4);
    ASSERT_EQ(normal.field.Enemies().size(), 16u);
    for (std::size_t i = 0; i < 8; ++i) {
        ExpectInWestCorridor(normal.At(i));
        ExpectInNorthCorridor(normal.At(i + 8));
        EXPECT_EQ(normal.At(i).speedFactor, 1.5);
    }
}

TEST(SpawnWave, EachPlaceDrawsItsYBeforeItsX) {
    WaveField easy(0);
    Random::Seed(99);
    easy.field.SpawnWave(nullptr, KindId(EnemyKind::BlueFairy), 10, 1, 1);
    Random::Seed(99);
    const int yDraw = Random::Next();
    const int xDraw = Random::Next();
    EXPECT_EQ(easy.At(0).y, static_cast<float>(192 + 2 * (yDraw % 40)));
    EXPECT_EQ(easy.At(0).x, static_cast<float>(-112 + 2 * (xDraw % 56)));
}

TEST(SpawnWave, BigKindsComeOnePerRoute) {
    WaveField normal(1);
    normal.field.SpawnWave(nullptr, KindId(EnemyKind::RedFairy, true), 500, 50, 7);
    ASSERT_EQ(normal.field.Enemies().size(), 2u);
    EXPECT_EQ(normal.At(0).kind, KindId(EnemyKind::RedFairy, true));
    EXPECT_EQ(normal.At(0).route, 1);
    EXPECT_EQ(normal.At(0).x, -72.0f);
    EXPECT_GE(normal.At(0).y, 192.0f);
    EXPECT_LE(normal.At(0).y, 250.0f);
    EXPECT_EQ(normal.At(1).route, 0);
    EXPECT_EQ(normal.At(1).y, -72.0f);
    EXPECT_FLOAT_EQ(normal.At(1).sheets[0].width, 48.0f);
}

TEST(SpawnWave, FairySquadMarchesInFormation) {
    WaveField normal(1);
    normal.field.SpawnWave(nullptr, KindId(EnemyKind::FairySquad), 30, 2, 3);
    ASSERT_EQ(normal.field.Enemies().size(), 16u);
    const EnemyKind colours[4] = {EnemyKind::YellowFairy, EnemyKind::RedFairy, EnemyKind::BlueFairy,
                                  EnemyKind::GreenFairy};
    const float depths[4] = {-32.0f, -52.0f, -72.0f, -92.0f};
    for (std::size_t line = 0; line < 2; ++line) {
        for (std::size_t i = 0; i < 4; ++i) {
            const Enemy& west = normal.At(line * 4 + i);
            const Enemy& north = normal.At(8 + line * 4 + i);
            EXPECT_EQ(west.kind, KindId(colours[i]));
            EXPECT_EQ(west.route, 1);
            EXPECT_EQ(west.x, depths[i]);
            EXPECT_EQ(west.y, line == 0 ? 212.0f : 252.0f);
            EXPECT_EQ(north.kind, KindId(colours[i]));
            EXPECT_EQ(north.route, 0);
            EXPECT_EQ(north.x, line == 0 ? 212.0f : 252.0f);
            EXPECT_EQ(north.y, depths[i]);
        }
    }

    WaveField easy(0);
    easy.field.SpawnWave(nullptr, KindId(EnemyKind::FairySquad, true), 30, 2, 3);
    ASSERT_EQ(easy.field.Enemies().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(easy.At(i).kind, KindId(colours[i], true));
        EXPECT_EQ(easy.At(i).y, 232.0f);
        EXPECT_EQ(easy.At(i).x, depths[i]);
    }
}

TEST(SpawnWave, BigFurballWavesCarryTheStageSplitDepth) {
    WaveField easy(0);
    easy.field.SpawnWave(nullptr, KindId(EnemyKind::BigFurball), 100, 5, 2);
    ASSERT_EQ(easy.field.Enemies().size(), 4u);
    EXPECT_EQ(easy.At(0).kind, KindId(EnemyKind::BigFurball));
    EXPECT_EQ(easy.At(0).splitDepth, 1);
    ExpectInWestCorridor(easy.At(3));

    WaveField normal(1);
    normal.field.SpawnWave(nullptr, KindId(EnemyKind::BigFurball), 100, 5, 2);
    ASSERT_EQ(normal.field.Enemies().size(), 8u);
    EXPECT_EQ(normal.At(7).splitDepth, 2);
    normal.field.SpawnWave(nullptr, KindId(EnemyKind::BigFurball, true), 100, 5, 2);
    ASSERT_EQ(normal.field.Enemies().size(), 10u);
    EXPECT_EQ(normal.At(8).kind, KindId(EnemyKind::BigFurball, true));
    EXPECT_EQ(normal.At(8).splitDepth, 2);
    normal.field.SpawnWave(nullptr, KindId(EnemyKind::Furball), 100, 5, 2);
    EXPECT_EQ(normal.At(10).splitDepth, 0);
}

TEST(SpawnWave, UnknownKindsOnlyAnnounceThemselves) {
    WaveField normal(1);
    for (const int kind : {0, 14, 20, 34, -3}) {
        normal.field.SpawnWave(nullptr, kind, 10, 1, 1);
    }
    EXPECT_TRUE(normal.field.Enemies().empty());
    EXPECT_EQ(normal.appeared, (std::vector<int>{0, 14, 20, 34, -3}));
}

TEST(SpawnWave, AWaveWalksInIsKilledAndIsClearedAway) {
    RecordingDevice device;
    WaveField normal(1);
    normal.field.BuildRoutes();
    normal.field.SpawnWave(&device, KindId(EnemyKind::Noctra), 10, 1, 1);
    normal.field.FrameEnemies(1);
    // Each enemy drew itself, and the darkness shadows came after every enemy.
    ASSERT_EQ(device.draws.size(), 16u * 3 + 16u);
    for (const auto& enemy : normal.field.Enemies()) {
        enemy->Damage(10.0, false, false);
    }
    int frames = 0;
    while (!normal.field.Enemies().empty() && frames < 200) {
        normal.field.FrameEnemies(1);
        normal.field.RemoveFinishedEnemies();
        ++frames;
    }
    EXPECT_TRUE(normal.field.Enemies().empty());
}
