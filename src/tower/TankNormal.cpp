#include "tower/TankNormal.h"

#include "tower/TowerAssets.h"

namespace {

constexpr float kShotSpeed = 3.5f;
constexpr float kShotSpin = 0.2f;
constexpr float kShotHitRadius = 3.0f;
constexpr float kQuarterTurn = 1.570796f;
constexpr float kArdelShotSize = 16.0f;
constexpr float kSoviaShotSize = 16.0f;

// Row 0 of "bullet.png" holds the first character's round shots, row 8 the second's magic
// missiles; column L is level L's shot.
constexpr int kArdelShotRow = 0;
constexpr int kSoviaShotRow = 8;

std::array<BulletCell, tower::kMaxLevel + 1> ShotCells(int row) {
    std::array<BulletCell, tower::kMaxLevel + 1> cells{};
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        const float left = static_cast<float>(level) / 8.0f;
        const float top = static_cast<float>(row) / 16.0f;
        cells[static_cast<std::size_t>(level)] = BulletCell{left, left + 1.0f / 8.0f, top, top + 1.0f / 16.0f};
    }
    return cells;
}

}  // namespace

BasicTank::BasicTank(const TowerContext& context, tower::Character character, int x, int y, int cellRow)
    : ShootingTank(context, tower::KindTableOf(character, 1), x, y, ShotCells(cellRow)) {}

bool BasicTank::Shoot(const std::optional<AimPoint>& aim, float size) {
    if (!aim) {
        return false;
    }
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const bullet::Velocity velocity = bullet::VelocityTowards(fx, fy, aim->x, aim->y, kShotSpeed);
    const BulletCell& cell = bulletCells[static_cast<std::size_t>(level)];

    auto shot = std::make_unique<StraightBullet>();
    shot->Create(Device(), Assets().Texture("bullet.png"), fx, fy, size, size);
    shot->SetAnimation(255, 0, cell.uLeft, cell.uRight, 0.0f, cell.vTop, cell.vBottom, 0.0f);
    shot->SetHitRadius(kShotHitRadius);
    shot->SetMotion(velocity.vx, velocity.vy, 0.0f, 0.0f);
    shot->SetRotation(velocity.angle - kQuarterTurn, kShotSpin);
    shot->alive = 1;
    bullets.push_back(std::move(shot));
    Assets().Play("ardel_normalshot.wav");
    return true;
}

Ardel_TankNormal::Ardel_TankNormal(const TowerContext& context, int x, int y)
    : BasicTank(context, tower::Character::Ardel, x, y, kArdelShotRow) {}

bool Ardel_TankNormal::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    ++fireCounter;
    return Shoot(TakeAim(enemies), kArdelShotSize);
}

Sovia_TankNormal::Sovia_TankNormal(const TowerContext& context, int x, int y)
    : BasicTank(context, tower::Character::Sovia, x, y, kSoviaShotRow) {}

bool Sovia_TankNormal::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    return Shoot(TakeAim(enemies), kSoviaShotSize + static_cast<float>(level));
}
