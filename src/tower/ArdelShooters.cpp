#include "tower/ArdelShooters.h"

#include <numbers>

namespace {

constexpr int kNeedleRow = 3;
constexpr int kBladeRow = 5;

constexpr float kNeedleSpeed = 4.0f;
constexpr float kNeedleHitRadius = 3.0f;

constexpr float kBladeSpeed = 5.0f;
constexpr ShotLook kBladeLook{16.0f, 16.0f, 3.0f, 0.0f};
constexpr float kSpread = std::numbers::pi_v<float> / 16.0f;
constexpr float kBurstSize = 64.0f;
constexpr TowerExplosions::Tint kBurstTint{255, 200, 200};

}  // namespace

Ardel_Spindle::Ardel_Spindle(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Ardel, 3), x, y, BulletRowCells(kNeedleRow)) {}

bool Ardel_Spindle::Fire(EnemyList& enemies, bool running) {
    const std::optional<AimPoint> aim = AimIfReady(enemies, running);
    if (!aim) {
        return false;
    }
    // The needles grow a little with each level; they are twice as long as they are wide.
    const float width = 16.0f + 0.5f * static_cast<float>(level);
    AddShot(std::make_unique<StraightBullet>(), ShotLook{width, 2.0f * width, kNeedleHitRadius, 0.0f},
            AngleTo(aim->x, aim->y), kNeedleSpeed);
    Assets().Play("ardel_spindle.wav");
    return true;
}

Ardel_Gale::Ardel_Gale(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Ardel, 4), x, y, BulletRowCells(kBladeRow)) {}

bool Ardel_Gale::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    const Enemy* target = TakeTarget(enemies);
    if (target == nullptr) {
        return false;
    }
    const float angle = AngleTo(target->x, target->y);
    if (target->IsYoukai()) {
        for (const float turn : {0.0f, -kSpread, kSpread}) {
            AddShot(std::make_unique<StraightBullet>(), kBladeLook, angle + turn, kBladeSpeed).variant = true;
        }
    } else {
        AddShot(std::make_unique<StraightBullet>(), kBladeLook, angle, kBladeSpeed);
    }
    Assets().Play("ardel_gale.wav");
    return true;
}

void Ardel_Gale::Strike(StraightBullet& shot, Enemy& enemy, EnemyList& enemies) {
    ShootingTank::Strike(shot, enemy, enemies);
    if (!shot.variant) {
        return;
    }
    explosions_.Add(Device(), Assets(), enemy.x, enemy.y, kBurstSize, kBurstTint, "light_wave.png", "wind.png");
    DamageAround(enemies, enemy, shot.x, shot.y, kBurstReach, BlastEdge::Included);
}

void Ardel_Gale::UpdateBullets(bool running) {
    ShootingTank::UpdateBullets(running);
    explosions_.Update(Device(), running);
}
