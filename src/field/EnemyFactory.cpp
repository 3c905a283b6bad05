#include "field/EnemyFactory.h"

#include "enemy/EnemyKinds.h"
#include "enemy/Enemy_Frelle.h"
#include "enemy/Enemy_Noctra.h"

namespace field {

std::unique_ptr<Enemy> CreateEnemy(EnemyKind kind, const EnemySpawn& spawn) {
    switch (kind) {
    case EnemyKind::RedFairy: return std::make_unique<Enemy_妖精赤>(spawn);
    case EnemyKind::BlueFairy: return std::make_unique<Enemy_妖精青>(spawn);
    case EnemyKind::GreenFairy: return std::make_unique<Enemy_妖精緑>(spawn);
    case EnemyKind::YellowFairy: return std::make_unique<Enemy_妖精黄>(spawn);
    case EnemyKind::FairySquad: return nullptr;
    case EnemyKind::Furball: return std::make_unique<Enemy_毛玉>(spawn);
    case EnemyKind::BigFurball: return std::make_unique<Enemy_大毛玉>(spawn);
    case EnemyKind::EvilEye: return std::make_unique<Enemy_イビルアイ>(spawn);
    case EnemyKind::Vernie: return std::make_unique<Enemy_Vernie>(spawn);
    case EnemyKind::Crow: return std::make_unique<Enemy_カラス>(spawn);
    case EnemyKind::Ghost: return std::make_unique<Enemy_幽霊>(spawn);
    case EnemyKind::Frelle: return std::make_unique<Enemy_Frelle>(spawn);
    case EnemyKind::Noctra: return std::make_unique<Enemy_Noctra>(spawn);
    }
    return nullptr;
}

}  // namespace field
