#include "tower/TowerTable.h"

#include <algorithm>

namespace tower {

namespace {

constexpr Character A = Character::Ardel;
constexpr Character S = Character::Sovia;

// Levels 1..5 list {upgrade cost, damage, range}; level 0 comes first with the "next" figures a new
// tower shows beside it.
constexpr KindTable kTables[2][kKindsPerCharacter] = {
    {
        {A, 1, 3, 0, 20, 60, {{3, 10, 60}, {6, 20, 60}, {12, 40, 60}, {24, 80, 60}, {52, 160, 60}, {0, 400, 180}}, 80, 80, 0.0},
        {A, 2, 5, 0, 11, 130, {{5, 5, 120}, {9, 11, 130}, {18, 23, 140}, {32, 48, 160}, {61, 100, 180}, {0, 200, 200}}, 50, 40, 0.0},
        {A, 3, 9, 0, 11, 70, {{7, 6, 70}, {14, 11, 70}, {27, 21, 70}, {53, 42, 70}, {110, 84, 70}, {0, 170, 90}}, 18, 12, 0.0},
        {A, 4, 15, 0, 38, 70, {{12, 20, 70}, {22, 38, 70}, {41, 74, 75}, {80, 145, 75}, {155, 288, 80}, {0, 570, 90}}, 50, 50, 0.0},
        {A, 5, 7, 0, 8, 95, {{7, 5, 90}, {13, 8, 95}, {25, 14, 100}, {48, 25, 105}, {80, 48, 110}, {0, 80, 130}}, 100, 80, 0.0},
        {A, 6, 8, 0, 7, 75, {{7, 4, 70}, {13, 7, 75}, {25, 13, 80}, {47, 21, 85}, {100, 38, 90}, {0, 65, 100}}, 140, 120, 0.0},
        {A, 7, 25, 0, 80, 40, {{22, 40, 40}, {40, 80, 40}, {75, 160, 40}, {138, 320, 40}, {200, 640, 40}, {0, 1200, 40}}, 110, 110, 0.0},
        {A, 8, 32, 0, 30, 90, {{28, 15, 80}, {52, 30, 90}, {96, 59, 100}, {185, 116, 110}, {337, 230, 120}, {0, 480, 130}}, 100, 90, 0.0},
        // The barrier spell's sale has a pace of its own: 96 frames whatever the wave.
        {A, 9, 30, 0, 200, 75, {{30, 100, 70}, {30, 200, 75}, {60, 400, 80}, {90, 800, 85}, {160, 1600, 90}, {0, 3200, 100}}, 0, 0, -0.25},
        {A, 10, 30, kMaxLevel, 0, 80, {{0, 0, 80}, {0, 0, 80}, {0, 0, 80}, {0, 0, 80}, {0, 0, 80}, {0, 0, 80}}, 0, 0, 0.0},
    },
    {
        {S, 1, 3, 0, 20, 60, {{3, 10, 60}, {6, 20, 60}, {12, 40, 60}, {24, 80, 60}, {52, 160, 60}, {0, 680, 60}}, 80, 80, 0.0},
        // The laser fires on a clock of its own rather than when a target comes in range.
        {S, 2, 10, 0, 70, 100, {{9, 32, 100}, {17, 70, 100}, {32, 156, 100}, {59, 336, 100}, {103, 688, 100}, {0, 1440, 100}}, 240, 230, 0.0},
        {S, 3, 10, 0, 37, 80, {{9, 18, 80}, {17, 37, 80}, {34, 78, 80}, {65, 164, 80}, {135, 340, 80}, {0, 500, 80}}, 45, 45, 0.0},
        {S, 4, 10, 0, 23, 75, {{9, 12, 70}, {17, 23, 75}, {32, 45, 75}, {59, 90, 80}, {103, 180, 90}, {0, 360, 90}}, 90, 70, 0.0},
        // A new Frostfire shows 1 as its next damage, though its first level deals 2.
        {S, 5, 15, 0, 1, 50, {{10, 1, 50}, {10, 2, 50}, {10, 2, 50}, {10, 3, 50}, {15, 5, 70}, {0, 5, 70}}, 3, 3, 0.0},
        {S, 6, 10, 0, 18, 70, {{9, 6, 70}, {17, 18, 70}, {32, 32, 75}, {62, 52, 75}, {110, 85, 80}, {0, 85, 80}}, 0, 0, 0.0},
        // TerraRay and Planetar: the first upgrade costs the tower's price, the start of their
        // doubling price ladders.
        {S, 7, 10, 0, 60, 80, {{10, 30, 75}, {20, 60, 80}, {40, 120, 85}, {80, 240, 90}, {160, 480, 95}, {0, 840, 100}}, 0, 0, 0.0},
        {S, 8, 8, 0, 60, 100, {{8, 30, 100}, {16, 60, 100}, {28, 125, 100}, {58, 260, 100}, {112, 540, 100}, {0, 1200, 100}}, 230, 230, 0.0},
        // The beam's first level is free; its figures are the beam's total damage.
        {S, 9, 90, 0, 360, -1, {{0, 360, -1}, {60, 360, -1}, {90, 840, -1}, {120, 1920, -1}, {140, 4320, -1}, {0, 9600, -1}}, 0, 0, 0.0},
        {S, 10, 30, kMaxLevel, 0, 110, {{0, 0, 110}, {0, 0, 110}, {0, 0, 110}, {0, 0, 110}, {0, 0, 110}, {0, 0, 110}}, 0, 0, 0.0},
    },
};

constexpr BuildPace kPaces[2] = {
    {0.55, 0.0097, 0.065, 0.25},
    {0.5, 0.009, 0.05, 0.35},
};

int LevelAfter(int level) { return std::clamp(level + 1, 0, kMaxLevel); }

}  // namespace

int KindTable::NextDamage(int level) const {
    return level == 0 && startLevel == 0 ? firstNextDamage : levels[LevelAfter(level)].damage;
}

int KindTable::NextRange(int level) const {
    return level == 0 && startLevel == 0 ? firstNextRange : levels[LevelAfter(level)].range;
}

int KindTable::FireIntervalAt(int level) const { return level >= kMaxLevel ? fireIntervalAtMax : fireInterval; }

const KindTable& KindTableOf(Character character, int kind) {
    const int index = kind >= 1 && kind <= kKindsPerCharacter ? kind - 1 : 0;
    return kTables[static_cast<int>(character)][index];
}

const BuildPace& PaceOf(Character character) { return kPaces[static_cast<int>(character)]; }

}  // namespace tower
