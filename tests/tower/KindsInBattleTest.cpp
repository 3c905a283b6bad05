#include <gtest/gtest.h>

#include "tower/TowerBench.h"

namespace {

struct KindUnderTest {
    int character;
    int kind;
};

// The straight-shooting and area kinds of both catalogues.
constexpr KindUnderTest kKinds[] = {{0, 3}, {0, 4}, {0, 6}, {0, 7}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 8}};

TEST(KindsInBattle, EachKindBoughtFromTheShopHarmsAnEnemyInRange) {
    for (const KindUnderTest& entry : kKinds) {
        TowerBench bench(entry.character);
        const cBaseCharacterTank& tower = bench.Place(entry.kind, 144, 144);
        EXPECT_EQ(tower.Value(), bench.ch().Entry(entry.kind).price);
        Enemy& enemy = bench.SpawnAt(144.0f + 26.0f, 144.0f);
        enemy.x = 170.0f;
        enemy.y = 144.0f;
        const double health = enemy.hp;
        for (int frame = 0; frame < 300 && enemy.hp == health; ++frame) {
            bench.Frame();
        }
        EXPECT_LT(enemy.hp, health) << entry.character << " " << entry.kind;
    }
}

}  // namespace
