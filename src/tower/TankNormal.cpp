#include "tower/TankNormal.h"

#include "tower/TowerAssets.h"

namespace {

constexpr float kShotSpeed = 3.5f;
constexpr float kShotSpin = 0.2f;
constexpr float kShotHitRadius = 3.0f;
constexpr float kArdelShotSize = 16.0f;
constexpr float kSoviaShotSize = 16.0f;

// Row 0 of "bullet.png" holds the first character's round shots, row 8 the second's magic
// missiles; column L is level L's shot.
constexpr int kArdelShotRow = 0;
constexpr int kSoviaShotRow = 8;

}  // namespace

BasicTank::BasicTank(const TowerContext& context, tower::Character character, int x, int y, int cellRow)
    : ShootingTank(context, tower::KindTableOf(character, 1), x, y, BulletRowCells(cellRow)) {}

bool BasicTank::Shoot(const std::optional<AimPoint>& aim, float size) {
    if (!aim) {
        return false;
    }
    AddShot(std::make_unique<StraightBullet>(), ShotLook{size, size, kShotHitRadius, kShotSpin}, AngleTo(aim->x, aim->y),
            kShotSpeed);
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
    return Shoot(AimIfReady(enemies, running), kSoviaShotSize + static_cast<float>(level));
}
