#pragma once

// The enemy kinds, by the ids the wave data, the wave gauge and the side panel know them by.
// Every kind has a big variant whose id is the normal one's plus kBigKindOffset (21..33).
enum class EnemyKind : int {
    RedFairy = 1,
    BlueFairy = 2,
    GreenFairy = 3,
    YellowFairy = 4,  // the sunflower fairy
    FairySquad = 5,   // a wave of the four fairies in formation, not an enemy of its own
    Furball = 6,
    BigFurball = 7,
    EvilEye = 8,
    Vernie = 9,  // the spring fairy, who flies
    Crow = 10,
    Ghost = 11,
    Frelle = 12,  // the ice fairy
    Noctra = 13,  // the darkness
};

constexpr int kEnemyKindCount = 13;
constexpr int kBigKindOffset = 20;

// The id of a kind's normal or big variant.
constexpr int KindId(EnemyKind kind, bool big = false) {
    return static_cast<int>(kind) + (big ? kBigKindOffset : 0);
}

// The ids wave data may hold: 1..13 and their big variants 21..33.
constexpr bool IsKindId(int id) {
    return (id >= 1 && id <= kEnemyKindCount) || (id > kBigKindOffset && id <= kBigKindOffset + kEnemyKindCount);
}

constexpr bool IsBigKindId(int id) { return id > kBigKindOffset; }

// The kind of an id that IsKindId accepts.
constexpr EnemyKind KindOf(int id) { return static_cast<EnemyKind>(IsBigKindId(id) ? id - kBigKindOffset : id); }
