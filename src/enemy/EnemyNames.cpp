#include "enemy/EnemyNames.h"

#include <array>

#include "base/EnemyKind.h"
#include "base/Language.h"

namespace {

// By kind, from the red fairy on; the fairy squad is a wave and not an enemy, so it has none.
constexpr std::array<const char*, kEnemyKindCount> kNames{
    N_NAME("妖精（赤）"), N_NAME("妖精（青）"), N_NAME("妖精（緑）"), N_NAME("向日葵妖精"), nullptr,
    N_NAME("毛玉"),       N_NAME("大毛玉"),     N_NAME("イビルアイ"), N_NAME("Vernie"),     N_NAME("鴉"),
    N_NAME("幽霊"),       N_NAME("Frelle"),     N_NAME("Noctra"),
};

}  // namespace

const char* EnemyDisplayName(int kindId) {
    const char* name = IsKindId(kindId) ? kNames[static_cast<std::size_t>(KindOf(kindId)) - 1] : nullptr;
    return name != nullptr ? name : N_NAME("例外IDです");
}
