#pragma once
#include <memory>
#include <vector>

#include "enemy/EnemyRef.h"
#include "enemy/EnemyTestField.h"
#include "tower/BaseCharacterTank.h"
#include "tower/StageCounters.h"
#include "tower/TowerAssets.h"
#include "tower/TowerInput.h"

// A tower kind whose shots a test may add by hand.
template <class Kind>
struct Exposed : Kind {
    using Kind::Kind;
    using Kind::bullets;
};

// One tower kind built by hand on an easy field, run the way the controller runs it each frame:
// Draw, Fire, UpdateBullets, HitTest. Enemies stand where they are put unless a test moves them.
template <class Kind>
struct KindRig {
    static constexpr int kPlot = 144;
    static constexpr float kAt = static_cast<float>(kPlot);

    KindRig() : tower(TowerContext{&field.device, &buildFlag, &counters, &lockOn, &assets, &pointer}, kPlot, kPlot) {}

    EnemyList& enemies() { return field.field.Enemies(); }
    // An enemy standing exactly at the point.
    Enemy& SpawnAt(float x, float y, EnemyKind kind = EnemyKind::RedFairy, int health = 1000000) {
        Enemy& enemy = field.Spawn(kind, 1, x, y, health);
        enemy.x = x;
        enemy.y = y;
        return enemy;
    }
    // An enemy dx, dy from the tower.
    Enemy& SpawnNear(float dx, float dy, EnemyKind kind = EnemyKind::RedFairy, int health = 1000000) {
        return SpawnAt(kAt + dx, kAt + dy, kind, health);
    }
    void RaiseTo(int level) {
        while (tower.Level() < level) {
            tower.LevelUp();
        }
    }
    // One battle frame; true when the tower fired.
    bool Frame(bool running = true) {
        tower.Draw(running);
        const bool fired = tower.Fire(enemies(), running);
        tower.UpdateBullets(running);
        tower.HitTest(enemies());
        return fired;
    }
    // A shot standing still at the point, as if the tower had fired it there (Kind: Exposed<...>).
    template <class Bullet>
    Bullet& AddShot(std::unique_ptr<Bullet> shot, float x, float y, float hitRadius = 3.0f) {
        shot->Create(&field.device, nullptr, x, y, 16.0f, 16.0f);
        shot->SetHitRadius(hitRadius);
        tower.bullets.push_back(std::move(shot));
        return *tower.bullets.back();
    }
    // The frames (0-based) of the next `frames` in which the tower fired.
    std::vector<int> FiringFrames(int frames) {
        std::vector<int> fired;
        for (int frame = 0; frame < frames; ++frame) {
            if (Frame()) {
                fired.push_back(frame);
            }
        }
        return fired;
    }

    EnemyTestField field;
    bool buildFlag = false;
    StageCounters counters;
    EnemyRef lockOn;
    TowerAssets assets;
    tower::Pointer pointer;
    Kind tower;
};
