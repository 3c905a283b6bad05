#include "enemy/EnemyNames.h"

#include <array>

#include "base/EnemyKind.h"

namespace {

// By kind, from the red fairy on; the fairy squad is a wave and not an enemy, so it has none.
constexpr std::array<const char*, kEnemyKindCount> kNames{
    "妖精（赤）", "妖精（青）", "妖精（緑）", "向日葵妖精", nullptr, "毛玉",   "大毛玉",
    "イビルアイ", "Vernie",     "鴉",         "幽霊",       "Frelle", "Noctra",
};

}  // namespace

const char* EnemyDisplayName(int kindId) {
    const char* name = IsKindId(kindId) ? kNames[static_cast<std::size_t>(KindOf(kindId)) - 1] : nullptr;
    return name != nullptr ? name : "例外IDです";
}
