#include <gtest/gtest.h>

#include "tower/TowerTable.h"
#include "tower/TowerBench.h"

namespace {

using tower::Character;
using tower::KindTableOf;
using tower::kMaxLevel;

constexpr Character kCharacters[] = {Character::Ardel, Character::Sovia};

// Every kind's ladder: prices run out at the top, the soul towers stand at the top from the
// start, and the "next" figures of a level are those of the level above.
TEST(TowerTable, EveryKindsLevelsFormALadderEndingAtTheTop) {
    for (Character character : kCharacters) {
        for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
            SCOPED_TRACE(testing::Message() << "character " << static_cast<int>(character) << " kind " << kind);
            const tower::KindTable& table = KindTableOf(character, kind);
            EXPECT_EQ(table.kind, kind);
            EXPECT_EQ(table.character, character);
            EXPECT_EQ(table.levels[kMaxLevel].upgradeCost, 0);
            EXPECT_EQ(table.startLevel, kind == tower::kSoulKind ? kMaxLevel : 0);
            for (int level = 1; level < kMaxLevel; ++level) {
                EXPECT_EQ(table.NextDamage(level), table.levels[level + 1].damage);
                EXPECT_EQ(table.NextRange(level), table.levels[level + 1].range);
                if (table.startLevel == 0) {
                    EXPECT_GT(table.levels[level].upgradeCost, 0);
                }
            }
            EXPECT_EQ(table.NextDamage(kMaxLevel), table.levels[kMaxLevel].damage);
            EXPECT_EQ(table.NextRange(kMaxLevel), table.levels[kMaxLevel].range);
        }
    }
}

// The catalogue is what the player pays and reads; the tower must be worth what was paid and
// start with the figures the shop showed.
TEST(TowerTable, ATowerStartsWithTheFiguresItsShopEntryShows) {
    for (int character = 0; character < 2; ++character) {
        TowerBench bench(character);
        for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
            SCOPED_TRACE(testing::Message() << "character " << character << " kind " << kind);
            const CatalogueEntry& entry = bench.ch().Entry(kind);
            const int before = bench.counters.points;
            const cBaseCharacterTank& tower = bench.Place(kind, 48 + 32 * kind, 48);
            EXPECT_EQ(bench.counters.points, before - entry.price);
            EXPECT_EQ(tower.Value(), entry.price);
            EXPECT_EQ(tower.DamageNow(), entry.damage);
            EXPECT_EQ(tower.EffectiveRange(), entry.range);
            EXPECT_EQ(tower.Kind(), kind);
        }
    }
}

// Upgrading every kind to the top: the value is the price plus every upgrade paid, nothing more
// can be bought, and the refund follows the value.
TEST(TowerTable, UpgradingToTheTopAddsEveryPriceToTheValue) {
    for (int character = 0; character < 2; ++character) {
        TowerBench bench(character);
        bench.prep = true;
        bench.counters.points = 100000;
        for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
            SCOPED_TRACE(testing::Message() << "character " << character << " kind " << kind);
            cBaseCharacterTank& tower = bench.Place(kind, 48 + 32 * kind, 80);
            const tower::KindTable& table = KindTableOf(static_cast<Character>(character), kind);
            int expected = table.value;
            for (int level = table.startLevel; level < kMaxLevel; ++level) {
                expected += table.levels[level].upgradeCost;
            }
            bench.Select(tower);
            for (int press = 0; press < 6; ++press) {
                bench.PressKey(kKeyU);
                bench.ch().UpgradeSelected(bench.input, bench.counters.points, true);
                bench.ReleaseKeys();
            }
            EXPECT_EQ(tower.Level(), kMaxLevel);
            EXPECT_EQ(tower.Value(), expected);
            EXPECT_EQ(tower.UpgradeCost(), 0);
            EXPECT_EQ(tower.DamageNow(), table.levels[kMaxLevel].damage);
        }
    }
}

}  // namespace
