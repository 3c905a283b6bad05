#pragma once
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"
#include "tower/BaseCharacterTank.h"

// A bullet's picture: a cell of the shared sheet "bullet.png".
struct BulletCell {
    float uLeft;
    float uRight;
    float vTop;
    float vBottom;
};

// A tower that fires Bullets on a clock: it owns them, moves and draws them, and removes the
// ones that hit or flew off the field. The standard hit test lets each enemy take at most one of
// the tower's bullets per frame.
template <class Bullet>
class ShootingTank : public cBaseCharacterTank {
public:
    void UpdateBullets(bool running) override {
        for (std::size_t i = 0; i < bullets.size();) {
            Bullet& shot = *bullets[i];
            shot.Draw(running ? 1 : 0);
            if (!shot.alive || bullet::OutsideCullBox(shot.x, shot.y)) {
                bullets.erase(bullets.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
    }

    void HitTest(EnemyList& enemies) override {
        for (const auto& enemy : enemies) {
            for (const auto& shot : bullets) {
                if (!CanBeHit(*enemy)) {
                    break;
                }
                if (!shot->alive ||
                    !bullet::CirclesTouch(enemy->x, enemy->y, enemy->hitRadius, shot->x, shot->y, shot->HitRadius())) {
                    continue;
                }
                shot->alive = 0;
                enemy->Damage(damage, true, false);
                break;
            }
        }
    }

    const std::vector<std::unique_ptr<Bullet>>& Bullets() const { return bullets; }
    int FireCounter() const { return fireCounter; }
    int FireInterval() const { return fireInterval; }

protected:
    ShootingTank(const TowerContext& context, const tower::KindTable& table, int x, int y,
                 const std::array<BulletCell, tower::kMaxLevel + 1>& cells)
        : cBaseCharacterTank(context, table, x, y), fireInterval(table.FireIntervalAt(level)), bulletCells(cells) {}

    void OnLevelLoaded() override { fireInterval = Table().FireIntervalAt(level); }
    // The clock runs in every running frame, during a build animation too.
    void OnRunningFrame() override { ++fireCounter; }

    // The standard rule once the tower may act: when a shot is due and an enemy is in range, the
    // clock restarts and the point to shoot at is returned.
    std::optional<AimPoint> TakeAim(const EnemyList& enemies) {
        CheckWeakening(enemies);
        if (fireCounter <= fireInterval) {
            return std::nullopt;
        }
        const Enemy* candidate = NearestInRange(enemies);
        if (candidate == nullptr) {
            return std::nullopt;
        }
        fireCounter = 0;
        return AimAt(*candidate);
    }

    std::vector<std::unique_ptr<Bullet>> bullets;
    int fireInterval;
    // A new tower fires in the first frame an enemy comes in range.
    int fireCounter = 300;
    std::array<BulletCell, tower::kMaxLevel + 1> bulletCells;
};
