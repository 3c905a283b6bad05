#include "field/EnemyFactory.h"

#include "enemy/EnemyKinds.h"
#include "enemy/Enemy_Frelle.h"
#include "enemy/Enemy_Noctra.h"

namespace field {

namespace {

template <typename Kind>
std::unique_ptr<Enemy> Make(gfx::Device* device, WalkLoad* load, const EnemySpawn& s) {
    return std::make_unique<Kind>(device, s.health, s.reward, s.route, s.x, s.y, load, s.level, s.big);
}

template <typename Kind>
std::unique_ptr<Enemy> MakeSplitting(gfx::Device* device, WalkLoad* load, const EnemySpawn& s) {
    return std::make_unique<Kind>(device, s.health, s.reward, s.route, s.x, s.y, load, s.level, s.splitDepth, s.big);
}

}  // namespace

std::unique_ptr<Enemy> CreateEnemy(int baseKind, gfx::Device* device, WalkLoad* load, const EnemySpawn& spawn) {
    switch (baseKind) {
        case 1: return Make<Enemy_妖精赤>(device, load, spawn);
        case 2: return Make<Enemy_妖精青>(device, load, spawn);
        case 3: return Make<Enemy_妖精緑>(device, load, spawn);
        case 4: return Make<Enemy_妖精黄>(device, load, spawn);
        case 6: return MakeSplitting<Enemy_毛玉>(device, load, spawn);
        case 7: return MakeSplitting<Enemy_大毛玉>(device, load, spawn);
        case 8: return Make<Enemy_イビルアイ>(device, load, spawn);
        case 9: return Make<Enemy_Vernie>(device, load, spawn);
        case 10: return Make<Enemy_カラス>(device, load, spawn);
        case 11: return Make<Enemy_幽霊>(device, load, spawn);
        case 12: return Make<Enemy_Frelle>(device, load, spawn);
        case 13: return Make<Enemy_Noctra>(device, load, spawn);
        default: return nullptr;
    }
}

}  // namespace field
