#pragma once
#include <memory>

#include "base/SceneContext.h"
#include "enemy/EnemyTestField.h"
#include "tower/BaseCharacter.h"
#include "tower/Characters.h"
#include "tower/StageCounters.h"
#include "tower/TankNormal.h"

// A controller of one character on an easy field, driven the way the battle scene drives it.
struct TowerBench {
    explicit TowerBench(int character = 0) : controller(MakeCharacter(character, &field.device, counters)) {
        counters.points = 1000;
        counters.lives = 20;
    }

    cBaseCharacter& ch() { return *controller; }
    EnemyList& enemies() { return field.field.Enemies(); }

    // Builds a tower of the kind without the scene's route checks.
    cBaseCharacterTank& Place(int kind, int x, int y) {
        ch().PlaceTower(counters.points, x, y, kind, false);
        return *ch().Towers(kind).back();
    }

    // A basic tower's shooting half, to look at its shots and clock.
    static const ShootingTank<StraightBullet>& Shooter(const cBaseCharacterTank& tower) {
        return static_cast<const ShootingTank<StraightBullet>&>(tower);
    }

    // An enemy standing still where it is put (no route is walked: the bench never moves it).
    Enemy& SpawnAt(float x, float y, int health = 100000) { return field.Spawn(EnemyKind::RedFairy, 1, x, y, health); }

    // The towers' part of one battle frame, in the scene's order.
    FreedPlot Frame(bool running = true) {
        ch().DrawTowers(enemies(), running);
        FreedPlot freed;
        ch().ReapTowers(freed, counters.points, prep);
        ch().RunTowers(enemies(), running);
        ch().HitTowers(enemies(), running);
        ch().AfterHits(enemies(), running);
        return freed;
    }

    // Frames until the tower is gone (its sale animation ran out), at most `limit`.
    int FramesUntilGone(const cBaseCharacterTank& tower, int limit = 2000) {
        for (int frame = 1; frame <= limit; ++frame) {
            ch().DrawTowers(enemies(), true);
            if (!tower.IsAlive()) {
                return frame;
            }
        }
        return -1;
    }

    // Selects the tower by clicking its plot, as the scene does when nothing is locked on.
    void Select(const cBaseCharacterTank& tower) {
        input = SceneContext{};
        input.SetMouse(tower.X(), tower.Y());
        input.SetButtons(1, 0);
        ch().SelectTower(input, prep);
        input.SetButtons(0, 0);
    }

    void PressKey(WatchedKey key) {
        input.SetKey(key, 1);
    }
    void ReleaseKeys() {
        for (int key = 0; key < kWatchedKeyCount; ++key) {
            input.SetKey(key, 0);
        }
    }

    EnemyTestField field;
    StageCounters counters;
    std::unique_ptr<cBaseCharacter> controller;
    SceneContext input;
    bool prep = false;
};
