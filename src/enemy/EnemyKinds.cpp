#include "enemy/EnemyKinds.h"

#include <algorithm>
#include <cmath>

#include "resource/FileClass.h"

Enemy_妖精赤::Enemy_妖精赤(const EnemySpawn& spawn)
    : Enemy({EnemyKind::RedFairy, 1.0, "enemy_f_red.png"}, spawn) {}

Enemy_妖精青::Enemy_妖精青(const EnemySpawn& spawn)
    : Enemy({EnemyKind::BlueFairy, 1.0, "enemy_f_blue.png"}, spawn) {}

Enemy_妖精緑::Enemy_妖精緑(const EnemySpawn& spawn)
    : Enemy({EnemyKind::GreenFairy, 1.0, "enemy_f_green.png"}, spawn) {}

Enemy_妖精黄::Enemy_妖精黄(const EnemySpawn& spawn)
    : Enemy({EnemyKind::YellowFairy, 1.0, "enemy_f_yellow.png"}, spawn) {}

Enemy_カラス::Enemy_カラス(const EnemySpawn& spawn)
    : Enemy({EnemyKind::Crow, 1.5, "enemy_crow.png"}, spawn) {}

Enemy_毛玉::Enemy_毛玉(const EnemySpawn& spawn)
    : Enemy({EnemyKind::Furball, 1.0, "enemy_wool.png"}, spawn) {
    splitDepth = spawn.splitDepth;
}

Enemy_大毛玉::Enemy_大毛玉(const EnemySpawn& spawn)
    : Enemy({EnemyKind::BigFurball, 1.0, "enemy_bigwool.png"}, spawn) {
    splitDepth = spawn.splitDepth;
}

Enemy_イビルアイ::Enemy_イビルアイ(const EnemySpawn& spawn)
    : Enemy({EnemyKind::EvilEye, 0.8, "enemy_evil.png"}, spawn) {}

void Enemy_イビルアイ::Damage(double amount, bool playSound, bool continuous) {
    double taken = 0.0;
    if (continuous) {
        // Damage dealt every frame meets the armour spread over a second.
        taken = std::max(0.0, amount - level / 60.0);
    } else if (std::trunc(amount) > level) {
        taken = amount - level;
    }
    TakeDamage(taken, playSound);
}

Enemy_Vernie::Enemy_Vernie(const EnemySpawn& spawn)
    : Enemy({EnemyKind::Vernie, 0.8, "enemy_vernie.png"}, spawn) {}

Enemy_幽霊::Enemy_幽霊(const EnemySpawn& spawn)
    : Enemy({EnemyKind::Ghost, 1.0, "enemy_spirit.png"}, spawn),
      hiddenFace_(g_FileClass.FindTexture("enemy_spirit.png")),
      exposedFace_(g_FileClass.FindTexture("enemy_spirit2.png")) {}

void Enemy_幽霊::Damage(double amount, bool playSound, bool /*continuous*/) {
    TakeDamage(amount * (exposeFrames > 0 ? 1.5 : 0.5), playSound);
}

void Enemy_幽霊::OnRunningFrame() {
    if (dead != 0) {
        return;
    }
    // A soul tower's light shows the ghost's true face.
    SetSheetTexture(exposeFrames > 0 ? exposedFace_ : hiddenFace_);
    exposeFrames = std::max(0, exposeFrames - 1);
}
