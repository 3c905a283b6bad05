#pragma once
#include <memory>

#include "base/EnemyKind.h"
#include "enemy/Enemy.h"

namespace field {

// The enemy class of a kind; null for the fairy squad, which is a wave of four kinds.
std::unique_ptr<Enemy> CreateEnemy(EnemyKind kind, const EnemySpawn& spawn);

}  // namespace field
