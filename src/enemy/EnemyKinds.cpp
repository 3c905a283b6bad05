#include "enemy/EnemyKinds.h"

#include <algorithm>
#include <cmath>

#include "resource/FileClass.h"

#define VELMORIA_ENEMY_PARAMS \
    gfx::Device *device, int health, std::uint32_t reward, int route, int x, int y, WalkLoad *load, int level
#define VELMORIA_ENEMY_PASS device, health, reward, route, x, y, load, level, big

Enemy_妖精赤::Enemy_妖精赤(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({1, 1.0, "enemy_f_red.png"}, VELMORIA_ENEMY_PASS) {}

Enemy_妖精青::Enemy_妖精青(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({2, 1.0, "enemy_f_blue.png"}, VELMORIA_ENEMY_PASS) {}

Enemy_妖精緑::Enemy_妖精緑(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({3, 1.0, "enemy_f_green.png"}, VELMORIA_ENEMY_PASS) {}

Enemy_妖精黄::Enemy_妖精黄(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({4, 1.0, "enemy_f_yellow.png"}, VELMORIA_ENEMY_PASS) {}

Enemy_カラス::Enemy_カラス(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({10, 1.5, "enemy_crow.png"}, VELMORIA_ENEMY_PASS) {}

Enemy_毛玉::Enemy_毛玉(VELMORIA_ENEMY_PARAMS, int depth, bool big)
    : Enemy({6, 1.0, "enemy_wool.png"}, VELMORIA_ENEMY_PASS) {
    splitDepth = depth;
}

Enemy_大毛玉::Enemy_大毛玉(VELMORIA_ENEMY_PARAMS, int depth, bool big)
    : Enemy({7, 1.0, "enemy_bigwool.png"}, VELMORIA_ENEMY_PASS) {
    splitDepth = depth;
}

Enemy_イビルアイ::Enemy_イビルアイ(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({8, 0.8, "enemy_evil.png"}, VELMORIA_ENEMY_PASS) {}

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

Enemy_Vernie::Enemy_Vernie(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({9, 0.8, "enemy_vernie.png"}, VELMORIA_ENEMY_PASS) {}

Enemy_幽霊::Enemy_幽霊(VELMORIA_ENEMY_PARAMS, bool big)
    : Enemy({11, 1.0, "enemy_spirit.png"}, VELMORIA_ENEMY_PASS),
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
