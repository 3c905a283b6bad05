#pragma once
#include "enemy/EnemyTestField.h"
#include "tower/BaseCharacterTank.h"
#include "tower/StageCounters.h"
#include "tower/TowerAssets.h"
#include "tower/TowerInput.h"

// Any tower kind built by hand on an easy field, so a test can call its slots directly.
struct SlotRig {
    SlotRig() : context{&field.device, &buildFlag, &counters, &lockOn, &assets, &pointer} {}

    EnemyList& enemies() { return field.field.Enemies(); }
    // An enemy standing exactly where it is put (a spawn point is whole pixels); nothing here
    // walks it along its route.
    Enemy& Spawn(float x, float y, int health = 1000000, EnemyKind kind = EnemyKind::RedFairy) {
        Enemy& enemy = field.Spawn(kind, 1, x, y, health);
        enemy.x = x;
        enemy.y = y;
        return enemy;
    }
    // The tower's part of one battle frame, in the scene's order.
    static void Frame(cBaseCharacterTank& tower, EnemyList& enemies, bool running = true) {
        tower.Draw(running);
        tower.Fire(enemies, running);
        tower.UpdateBullets(running);
        tower.HitTest(enemies);
    }
    void Frame(cBaseCharacterTank& tower, bool running = true) { Frame(tower, enemies(), running); }

    EnemyTestField field;
    bool buildFlag = false;
    StageCounters counters;
    EnemyRef lockOn;
    TowerAssets assets;
    tower::Pointer pointer;
    TowerContext context;
};

// Opens a kind's protected parts to a test.
template <class Kind>
struct Open : Kind {
    using Kind::Kind;
    using Kind::bullets;
    using Kind::fireCounter;
};

inline void RaiseTo(cBaseCharacterTank& tank, int level) {
    for (int up = 0; up < level; ++up) {
        tank.LevelUp();
    }
}
