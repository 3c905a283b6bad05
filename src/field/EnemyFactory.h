#pragma once
#include <cstdint>
#include <memory>

#include "enemy/Enemy.h"

namespace gfx {
class Device;
}
class WalkLoad;

namespace field {

// Where and how a new enemy starts.
struct EnemySpawn {
    int route;
    int x;
    int y;
    int health;
    std::uint32_t reward;
    int level;
    int splitDepth;  // only the furballs take it
    bool big;
};

// The enemy class of a normal kind id (1..4, 6..13); null for any other id.
std::unique_ptr<Enemy> CreateEnemy(int baseKind, gfx::Device* device, WalkLoad* load, const EnemySpawn& spawn);

}  // namespace field
