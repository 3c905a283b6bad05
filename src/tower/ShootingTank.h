#pragma once
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"
#include "tower/BaseCharacterTank.h"
#include "tower/TowerAssets.h"

// A bullet's picture: a cell of the shared sheet "bullet.png".
struct BulletCell {
    float uLeft;
    float uRight;
    float vTop;
    float vBottom;
};

using BulletCells = std::array<BulletCell, tower::kMaxLevel + 1>;

// Row `row` of "bullet.png" (8 x 16 cells), a cell per level in columns 0..5.
inline BulletCells BulletRowCells(int row) {
    BulletCells cells{};
    const float top = static_cast<float>(row) / 16.0f;
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        const float left = static_cast<float>(level) / 8.0f;
        cells[static_cast<std::size_t>(level)] = BulletCell{left, left + 0.125f, top, top + 0.0625f};
    }
    return cells;
}

// How a tower's shots look: their size, the radius they hit with and their spin.
struct ShotLook {
    float width;
    float height;
    float hitRadius;
    float spin;
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

    // Point shots: each enemy takes at most one of the tower's shots per frame. Beams have no hit
    // radius; their kinds test them their own way.
    void HitTest(EnemyList& enemies) override {
        if constexpr (requires(const Bullet& shot) { shot.HitRadius(); }) {
            for (const auto& enemy : enemies) {
                for (const auto& shot : bullets) {
                    if (!CanBeHit(*enemy)) {
                        break;
                    }
                    if (!CanStrike(*shot) || !Touches(*shot, *enemy)) {
                        continue;
                    }
                    Strike(*shot, *enemy, enemies);
                    break;
                }
            }
        }
    }

    bool AtWork() const override { return !bullets.empty(); }

    const std::vector<std::unique_ptr<Bullet>>& Bullets() const { return bullets; }
    int FireCounter() const { return fireCounter; }
    int FireInterval() const { return fireInterval; }

protected:
    ShootingTank(const TowerContext& context, const tower::KindTable& table, int x, int y,
                 const BulletCells& cells)
        : cBaseCharacterTank(context, table, x, y), fireInterval(table.FireIntervalAt(level)), bulletCells(cells) {}

    void OnLevelLoaded() override { fireInterval = Table().FireIntervalAt(level); }
    // The clock runs in every running frame, during a build animation too.
    void OnRunningFrame() override { ++fireCounter; }

    // Puts a new shot on the tower: "bullet.png" at the cell, flying at speed along angle (no
    // acceleration), turned so that the top of its cell leads. The caller may adjust it further.
    Bullet& AddShot(std::unique_ptr<Bullet> shot, const ShotLook& look, const BulletCell& cell, float angle,
                    float speed) {
        const float fx = static_cast<float>(x);
        const float fy = static_cast<float>(y);
        shot->Create(Device(), Assets().Texture("bullet.png"), fx, fy, look.width, look.height);
        shot->SetAnimation(255, 0, cell.uLeft, cell.uRight, 0.0f, cell.vTop, cell.vBottom, 0.0f);
        shot->SetHitRadius(look.hitRadius);
        shot->SetMotion(std::cos(angle) * speed, std::sin(angle) * speed, 0.0f, 0.0f);
        shot->SetRotation(angle - bullet::kQuarterTurn, look.spin);
        shot->alive = 1;
        bullets.push_back(std::move(shot));
        return *bullets.back();
    }
    // The same with the cell of the tower's level.
    Bullet& AddShot(std::unique_ptr<Bullet> shot, const ShotLook& look, float angle, float speed) {
        return AddShot(std::move(shot), look, bulletCells[static_cast<std::size_t>(level)], angle, speed);
    }
    // The direction from the tower to a point.
    float AngleTo(float toX, float toY) const {
        return std::atan2(toY - static_cast<float>(y), toX - static_cast<float>(x));
    }

    // Whether a shot may still hit: by default every shot in flight.
    virtual bool CanStrike(const Bullet& shot) const { return shot.alive != 0; }
    // A shot that touched an enemy: by default it is spent and deals the tower's damage.
    virtual void Strike(Bullet& shot, Enemy& enemy, EnemyList& /*enemies*/) {
        shot.alive = 0;
        enemy.Damage(damage, true, false);
    }
    static bool Touches(const Bullet& shot, const Enemy& enemy) {
        return bullet::CirclesTouch(enemy.x, enemy.y, enemy.hitRadius, shot.x, shot.y, shot.HitRadius());
    }

    // The standard rule once the tower may act: when a shot is due and an enemy is in range, the
    // clock restarts and the enemy to shoot at is returned (null when no shot is due). With
    // `accept` only the enemies it accepts are shot at, the lock-on target too.
    Enemy* TakeTarget(const EnemyList& enemies, bool (*accept)(const Enemy&) = nullptr) {
        CheckWeakening(enemies);
        if (fireCounter <= fireInterval) {
            return nullptr;
        }
        Enemy* candidate = NearestInRange(enemies, accept);
        if (candidate == nullptr) {
            return nullptr;
        }
        fireCounter = 0;
        Enemy& aimed = AimedEnemy(*candidate);
        return accept != nullptr && !accept(aimed) ? candidate : &aimed;
    }
    // The same, for kinds that only need the point to shoot at.
    std::optional<AimPoint> TakeAim(const EnemyList& enemies) {
        const Enemy* target = TakeTarget(enemies);
        if (target == nullptr) {
            return std::nullopt;
        }
        return AimPoint{target->x, target->y};
    }
    // The same, but only when the tower may act at all this frame.
    std::optional<AimPoint> AimIfReady(const EnemyList& enemies, bool running) {
        if (!CanAct(running)) {
            return std::nullopt;
        }
        return TakeAim(enemies);
    }

    std::vector<std::unique_ptr<Bullet>> bullets;
    int fireInterval;
    // A new tower fires in the first frame an enemy comes in range.
    int fireCounter = 300;
    BulletCells bulletCells;
};
