#include "tower/LaserTanks.h"

#include <algorithm>
#include <cmath>

#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"
#include "gfx/RenderPresets.h"
#include "tower/TowerAssets.h"

namespace {

constexpr float kQuarterTurn = 1.570796f;
constexpr float kHalfTurn = 3.141593f;

bool OnGround(const Enemy& enemy) { return !enemy.IsFlying(); }
bool InAir(const Enemy& enemy) { return enemy.IsFlying(); }

// The laser turns after its target by at most this much a frame, and swells and fades over
// this many frames at each end of its time.
constexpr float kLaserTurn = 0.05f;
constexpr int kLaserRamp = 8;
constexpr float kGlowSize = 28.0f;
constexpr float kSmokeSize = 20.0f;

// Rows of "bullet.png" (the ray uses the sheet's small orb row for nothing but its glow).
constexpr int kLaserRow = 14;
constexpr int kRayRow = 15;

// The angle a turn of at most `limit` takes from `from` towards `to`.
float TurnTowards(float from, float to, float limit) {
    float delta = std::remainder(to - from, 2.0f * kHalfTurn);
    delta = std::clamp(delta, -limit, limit);
    return from + delta;
}

}  // namespace

// --- Sovia_MirageLazer -----------------------------------------------------------------------

Sovia_MirageLazer::Sovia_MirageLazer(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Sovia, 2), x, y, BulletRowCells(kLaserRow)) {
    glow_.Create(context.device, Assets().Texture("light_ball.png"), static_cast<float>(x), static_cast<float>(y),
                 kGlowSize, kGlowSize);
    glow_.SetRotation(0.0f, 0.1f);
    smoke_.Create(context.device, Assets().Texture("smoke.png"), static_cast<float>(x), static_cast<float>(y),
                  kSmokeSize, kSmokeSize);
    smoke_.SetRotation(0.0f, -0.15f);
}

bool Sovia_MirageLazer::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    if (!bullets.empty()) {
        CheckWeakening(enemies);
        if (++laserFrame_ > OnFrames(level)) {
            bullets.clear();
        } else {
            Follow();
            Shape();
        }
        return false;
    }
    Enemy* target = TakeTarget(enemies, OnGround);
    if (target == nullptr) {
        return false;
    }
    Start(*target);
    return true;
}

void Sovia_MirageLazer::Start(Enemy& target) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    target_ = target.Ref();
    direction_ = std::atan2(target.y - fy, target.x - fx);
    laserFrame_ = 1;
    auto laser = std::make_unique<MirageLazerBullet>();
    laser->Create(Device(), Assets().Texture("m_beam.png"), fx, fy, 0.0f, static_cast<float>(EffectiveRange()));
    laser->SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, -0.04f);
    laser->red = 255;
    laser->green = 170;
    laser->blue = 230;
    laser->alive = 1;
    bullets.push_back(std::move(laser));
    Shape();
}

void Sovia_MirageLazer::Follow() {
    const Enemy* target = target_.Get();
    if (target == nullptr || !CanBeHit(*target)) {
        target_.Reset();
        return;
    }
    const float wanted = std::atan2(target->y - static_cast<float>(y), target->x - static_cast<float>(x));
    direction_ = TurnTowards(direction_, wanted, kLaserTurn);
}

void Sovia_MirageLazer::Shape() {
    MirageLazerBullet& laser = *bullets.front();
    const int fromEnd = std::min(laserFrame_, OnFrames(level) + 1 - laserFrame_);
    const float share = std::min(1.0f, static_cast<float>(fromEnd) / static_cast<float>(kLaserRamp));
    laser.angle = direction_ - kQuarterTurn;
    laser.alpha = static_cast<int>(255.0f * share);
    laser.SetSize(2.0f * kHalfWidth * share, static_cast<float>(EffectiveRange()));
    const float reach = static_cast<float>(EffectiveRange());
    smoke_.SetPosition(static_cast<float>(x) + std::cos(direction_) * reach,
                       static_cast<float>(y) + std::sin(direction_) * reach);
    smoke_.alpha = laser.alpha / 2;
    glow_.alpha = laser.alpha;
}

void Sovia_MirageLazer::UpdateBullets(bool running) {
    SetAdditiveStates(Device());
    ShootingTank::UpdateBullets(running);
    if (!bullets.empty()) {
        glow_.Draw(running ? 1 : 0);
        smoke_.Draw(running ? 1 : 0);
    }
    SetAlphaBlendStates(Device());
}

void Sovia_MirageLazer::HitTest(EnemyList& enemies) {
    // A paused frame repeats the laser's frame; it hurts once.
    if (bullets.empty() || laserFrame_ == lastHitFrame_) {
        return;
    }
    lastHitFrame_ = laserFrame_;
    const float dx = std::cos(direction_);
    const float dy = std::sin(direction_);
    const double share = static_cast<double>(damage) / kFramesPerDamage;
    for (const auto& enemy : enemies) {
        if (CanBeHit(*enemy) && OnGround(*enemy) &&
            BeamTouches(static_cast<float>(x), static_cast<float>(y), dx, dy, enemy->x, enemy->y, enemy->hitRadius,
                        kHalfWidth, static_cast<float>(EffectiveRange()))) {
            enemy->Damage(share, laserFrame_ % kFramesPerDamage == 1, true);
        }
    }
}

// --- Sovia_TerraRay --------------------------------------------------------------------------

Sovia_TerraRay::Sovia_TerraRay(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Sovia, 7), x, y, BulletRowCells(kRayRow)) {}

bool Sovia_TerraRay::Chased(const Enemy& enemy) const {
    return std::any_of(bullets.begin(), bullets.end(), [&](const auto& ray) { return ray->target.Is(&enemy); });
}

Enemy* Sovia_TerraRay::FreeTarget(const EnemyList& enemies) const {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const auto free = [&](const Enemy& enemy) {
        return CanBeHit(enemy) && InAir(enemy) && !Chased(enemy) &&
               bullet::Distance(fx, fy, enemy.x, enemy.y) < static_cast<float>(EffectiveRange());
    };
    for (const auto& enemy : enemies) {
        if (free(*enemy)) {
            Enemy& aimed = AimedEnemy(*enemy);
            return free(aimed) ? &aimed : enemy.get();
        }
    }
    return nullptr;
}

bool Sovia_TerraRay::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    CheckWeakening(enemies);
    if (fireCounter <= kRayGap || static_cast<int>(bullets.size()) >= MaxRays(level)) {
        return false;
    }
    Enemy* target = FreeTarget(enemies);
    if (target == nullptr) {
        return false;
    }
    fireCounter = 0;
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    auto ray = std::make_unique<TerraRayBullet>();
    ray->Setup(Device(), Assets().Texture("m_beam.png"), Assets().Texture("light_ball.png"),
               Assets().Sound("sovia_ray_lazar.wav"), fx, fy);
    // Along the row when the target flies across, along the column when it flies up or down.
    const int axis = std::fabs(target->vx) >= std::fabs(target->vy) ? TerraRayBullet::kAxisRow
                                                                     : TerraRayBullet::kAxisColumn;
    ray->Aim(target->x, target->y, axis);
    ray->target = target->Ref();
    bullets.push_back(std::move(ray));
    return true;
}

void Sovia_TerraRay::HitTest(EnemyList& enemies) {
    for (const auto& ray : bullets) {
        if (!ray->alive || ray->CurrentPhase() != TerraRayBullet::Phase::Firing) {
            continue;
        }
        for (const auto& enemy : enemies) {
            if (CanBeHit(*enemy) && InAir(*enemy) && !ray->HasHit(*enemy) &&
                BeamTouches(ray->BeamX(), ray->BeamY(), ray->BeamDirX(), ray->BeamDirY(), enemy->x, enemy->y,
                            enemy->hitRadius, ray->BeamHalfWidth(), TerraRayBullet::kBeamLength)) {
                enemy->Damage(damage, true, false);
                ray->MarkHit(*enemy);
            }
        }
    }
}
