#include "enemy/EnemyNames.h"

#include <array>

#include "enemy/Enemy.h"

namespace {

// Indexed by the normal variant's kind id; kind 5 is the fairy squad, a wave and not an enemy.
constexpr std::array<const char*, 14> kNames{
    nullptr,      "妖精（赤）", "妖精（青）", "妖精（緑）", "向日葵妖精", nullptr,  "毛玉",
    "大毛玉",     "イビルアイ", "Vernie",     "鴉",         "幽霊",       "Frelle", "Noctra",
};

}  // namespace

const char* EnemyDisplayName(int kindId) {
    const int base = kindId > kBigKindOffset ? kindId - kBigKindOffset : kindId;
    if (base < 0 || base >= static_cast<int>(kNames.size()) || kNames[base] == nullptr) {
        return "例外IDです";
    }
    return kNames[base];
}
