#include "tower/AmuletTanks.h"

#include <cmath>

#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"
#include "tower/TowerAssets.h"

namespace {

constexpr float kQuarterTurn = 1.570796f;

// Rows of "bullet.png".
constexpr int kAmuletRow = 1;
constexpr int kBraskRow = 6;
constexpr int kSealRow = 7;

constexpr float kHomingSpeed = 3.0f;
constexpr float kBraskStartSpeed = 1.0f;
constexpr float kSealDrift = 1.0f;
constexpr float kFullTurn = 6.283185f;

// Puts a new shot of the tower's level on the plot, heading for the target.
template <class Shot>
Shot& Prepare(Shot& shot, gfx::Device* device, gfx::Texture* sheet, float x, float y, float size,
              const BulletCell& cell, float hitRadius, const Enemy& target, float speed) {
    const bullet::Velocity velocity = bullet::VelocityTowards(x, y, target.x, target.y, speed);
    shot.Create(device, sheet, x, y, size, size);
    shot.SetAnimation(255, 0, cell.uLeft, cell.uRight, 0.0f, cell.vTop, cell.vBottom, 0.0f);
    shot.SetHitRadius(hitRadius);
    shot.SetMotion(velocity.vx, velocity.vy, 0.0f, 0.0f);
    shot.SetRotation(velocity.angle - kQuarterTurn, 0.0f);
    shot.target = target.Ref();
    shot.alive = 1;
    return shot;
}

}  // namespace

// --- Ardel_HomingAmulet ----------------------------------------------------------------------

Ardel_HomingAmulet::Ardel_HomingAmulet(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Ardel, 2), x, y, BulletRowCells(kAmuletRow)) {}

bool Ardel_HomingAmulet::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    const Enemy* target = TakeTarget(enemies);
    if (target == nullptr) {
        return false;
    }
    const float grown = 0.5f * static_cast<float>(level);
    auto shot = std::make_unique<HomingBullet>();
    Prepare(*shot, Device(), Assets().Texture("bullet.png"), static_cast<float>(x), static_cast<float>(y),
            16.0f + grown, bulletCells[static_cast<std::size_t>(level)], 3.0f + grown, *target, kHomingSpeed);
    bullets.push_back(std::move(shot));
    Assets().Play("ardel_normalshot.wav");
    return true;
}

// --- Ardel_BraskAmulet -----------------------------------------------------------------------

Ardel_BraskAmulet::Ardel_BraskAmulet(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Ardel, 5), x, y, BulletRowCells(kBraskRow)) {}

bool Ardel_BraskAmulet::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    const Enemy* target = TakeTarget(enemies);
    if (target == nullptr) {
        return false;
    }
    const float fLevel = static_cast<float>(level);
    auto shot = std::make_unique<BraskAmuletBullet>(HitsAt(level), level, enemies);
    Prepare(*shot, Device(), Assets().Texture("bullet.png"), static_cast<float>(x), static_cast<float>(y),
            16.0f + 2.0f * fLevel, bulletCells[static_cast<std::size_t>(level)], 3.0f + fLevel, *target,
            kBraskStartSpeed);
    shot->SetTrail(Assets().Texture("particle.png"));
    bullets.push_back(std::move(shot));
    Assets().Play("ardel_braskamuret.wav");
    return true;
}

void Ardel_BraskAmulet::HitTest(EnemyList& enemies) {
    for (const auto& enemy : enemies) {
        for (const auto& shot : bullets) {
            if (!CanBeHit(*enemy)) {
                break;
            }
            if (shot->alive && bullet::CirclesTouch(enemy->x, enemy->y, enemy->hitRadius, shot->x, shot->y,
                                                    shot->HitRadius()) &&
                shot->TakeHit(1)) {
                enemy->Damage(damage, true, false);
            }
        }
    }
}

// --- Ardel_Sunburst --------------------------------------------------------------------------

Ardel_Sunburst::Ardel_Sunburst(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Ardel, 8), x, y, BulletRowCells(kSealRow)) {}

bool Ardel_Sunburst::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    const Enemy* target = TakeTarget(enemies);
    if (target == nullptr) {
        return false;
    }
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    // The first seal sets out towards the target, the others evenly around it.
    const float aim = bullet::VelocityTowards(fx, fy, target->x, target->y, kSealDrift).angle;
    for (int i = 0; i < kSealsPerShot; ++i) {
        const float heading = aim + kFullTurn * static_cast<float>(i) / static_cast<float>(kSealsPerShot);
        auto seal = std::make_unique<SunburstBullet>(enemies);
        seal->Launch(Device(), Assets().Texture("particle.png"), Assets().Texture("light_ball.png"), fx, fy,
                     SealSize(level), std::cos(heading) * kSealDrift, std::sin(heading) * kSealDrift);
        seal->SetColourScheme(i);
        seal->target = target->Ref();
        bullets.push_back(std::move(seal));
    }
    Assets().Play("ardel_sunburst.wav");
    return true;
}

void Ardel_Sunburst::HitTest(EnemyList& enemies) {
    for (const auto& seal : bullets) {
        if (!seal->alive || seal->Exploding()) {
            continue;
        }
        for (const auto& enemy : enemies) {
            if (CanBeHit(*enemy) &&
                bullet::CirclesTouch(enemy->x, enemy->y, enemy->hitRadius, seal->x, seal->y, seal->HitRadius())) {
                seal->Explode(enemies, damage);
                break;
            }
        }
    }
}
