#pragma once

// The numbers of the twenty tower kinds, level by level, as the towers load them when they are
// built and when they go up a level.
namespace tower {

constexpr int kMaxLevel = 5;
constexpr int kKindsPerCharacter = 10;
// The cheap basic tower that heads both catalogues.
constexpr int kBasicKind = 1;
// The one-shot spell towers and the soul towers take the same place in both catalogues.
constexpr int kSpellKind = 9;
constexpr int kSoulKind = 10;

enum class Character : int { Ardel = 0, Sovia = 1 };

// What a tower has at one level.
struct LevelFigures {
    int upgradeCost;  // price of the next level; 0 at the top
    int damage;
    int range;  // pixels; -1 = no range circle
};

struct KindTable {
    Character character;
    int kind;        // 1..10, the catalogue entry's number
    int value;       // points paid for the tower itself
    int startLevel;  // 0, or the top level for the soul towers, which never go up
    // The "next" figures a new tower shows; above level 0 they are the next level's figures.
    int firstNextDamage;
    int firstNextRange;
    LevelFigures levels[kMaxLevel + 1];
    int fireInterval;       // frames between shots; 0 for kinds that do not shoot on a clock
    int fireIntervalAtMax;  // the same at the top level
    double saleStep;        // a fixed build-animation step while sold; 0 = the character's pace

    // The figures of the level after `level`; the top level keeps its own.
    int NextDamage(int level) const;
    int NextRange(int level) const;
    int FireIntervalAt(int level) const;
};

// kind 1..10; anything else is a programming error and gives the kind-1 table.
const KindTable& KindTableOf(Character character, int kind);

// How fast the build animation runs for one character's towers: a sale steps by
// -(saleStart - salePerWave x waves) until wave lateSaleWave, then by -saleLate; an upgrade from
// level L steps by upgrade / (L + 1.5).
struct BuildPace {
    double saleStart;
    double salePerWave;
    double saleLate;
    double upgrade;
};

constexpr int kLateSaleWave = 50;
constexpr double kBuildLength = 24.0;

const BuildPace& PaceOf(Character character);

// Points back for a tower worth `value` when it is sold or replaced during the waves.
constexpr int kRefundPercent = 85;
constexpr int RefundOf(int value) { return value * kRefundPercent / 100; }

}  // namespace tower
