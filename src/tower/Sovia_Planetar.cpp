#include "tower/Sovia_Planetar.h"

#include <algorithm>

#include "gfx/RenderPresets.h"

namespace {

constexpr int kBitRow = 13;
constexpr ShotLook kBitLook{16.0f, 16.0f, 6.0f, 0.0f};
constexpr int kMaxBits[tower::kMaxLevel + 1] = {4, 4, 5, 5, 5, 6};
constexpr float kGlowSize = 24.0f;
constexpr int kGlowAlpha = 160;
constexpr float kBlastSize = 64.0f;
constexpr TowerExplosions::Tint kBlastTint{160, 200, 255};

}  // namespace

Sovia_Planetar::Sovia_Planetar(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Sovia, 8), x, y, BulletRowCells(kBitRow)) {
    chargeGlow_.Create(Device(), Assets().Texture("light_ball.png"), static_cast<float>(x), static_cast<float>(y),
                       kGlowSize, kGlowSize);
}

int Sovia_Planetar::MaxBits(int level) { return kMaxBits[level]; }

int Sovia_Planetar::Bits() const {
    return static_cast<int>(
        std::count_if(bullets.begin(), bullets.end(), [](const auto& bit) { return bit->alive != 0; }));
}

int Sovia_Planetar::OrbitingBits() const {
    return static_cast<int>(std::count_if(bullets.begin(), bullets.end(), [](const auto& bit) { return !bit->Launched(); }));
}

bool Sovia_Planetar::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    CheckWeakening(enemies);
    if (charging && chargeValue == 0) {
        MakeBit();
        chargeValue = 0;
        fireCounter = 0;
        charging = false;
        return true;
    }
    if (Bits() >= MaxBits(level)) {
        charging = false;
    } else if (!charging && fireCounter > fireInterval) {
        charging = true;
    }
    return false;
}

void Sovia_Planetar::MakeBit() {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    std::vector<PlanetarBullet*> orbiting;
    for (const auto& each : bullets) {
        if (!each->Launched()) {
            orbiting.push_back(each.get());
        }
    }
    PlanetarBullet& bit = AddShot(std::make_unique<PlanetarBullet>(fx, fy, LockOnRef()), kBitLook, 0.0f, 0.0f);
    bit.SetRotation(0.0f, 0.0f);
    bit.levelIndex = level;
    bit.launchRange = range;
    bit.trail.Init(Device(), Assets().Texture("particle.png"), fx, fy, 0.0f, 0.0f, 0, 0.0f, 0.0f);
    bit.TuneTrail(PlanetarBullet::kOrbitTrail);
    bit.glow.Create(Device(), Assets().Texture("light_ball.png"), fx, fy, kGlowSize, kGlowSize);
    bit.glow.SetAnimation(kGlowAlpha, 0, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    // The bits already circling keep their phase; the new one joins and all spread out evenly.
    const int phase = orbiting.empty() ? 0 : orbiting.front()->OrbitAngle();
    orbiting.push_back(&bit);
    const int count = static_cast<int>(orbiting.size());
    for (int i = 0; i < count; ++i) {
        orbiting[static_cast<std::size_t>(i)]->SetOrbitAngle((phase + i * 360 / count) % 360);
    }
    Assets().Play("sovia_planetar_born.wav");
}

void Sovia_Planetar::UpdateBullets(bool running) {
    if (running) {
        chargeValue = std::clamp(chargeValue + (charging ? -kChargeDrain : kChargeRefill), 0, kFullCharge);
        // Launched bits still count: the ones left circling, even those still moving out, may
        // follow them.
        const bool full = Bits() >= MaxBits(level);
        for (const auto& bit : bullets) {
            if (!bit->Launched()) {
                bit->SetLaunchAllowed(full);
                bit->SetOrbitRadius(std::min(kOrbitRadius, bit->OrbitRadius() + 1.0f));
            }
        }
    }
    ShootingTank::UpdateBullets(running);
    DrawGlows(running ? 1 : 0);
    explosions_.Update(Device(), running);
}

void Sovia_Planetar::DrawGlows(int update) {
    SetAdditiveStates(Device());
    for (const auto& bit : bullets) {
        // The trail's head is led to the bit, wherever its orbit took it.
        bit->trail.vx = bit->x - bit->trail.headX;
        bit->trail.vy = bit->y - bit->trail.headY;
        bit->trail.Update(update);
        bit->glow.SetPosition(bit->x, bit->y);
        bit->glow.Draw(update);
    }
    if (charging) {
        // The tower gathers light while a bit is charging.
        chargeGlow_.alpha = 255 * (kFullCharge - chargeValue) / kFullCharge;
        const float size = kGlowSize * (1.0f + static_cast<float>(kFullCharge - chargeValue) / kFullCharge);
        chargeGlow_.SetSize(size, size);
        chargeGlow_.Draw(update);
    }
    SetAlphaBlendStates(Device());
}

void Sovia_Planetar::HitTest(EnemyList& enemies) {
    for (const auto& bit : bullets) {
        if (!bit->alive) {
            continue;
        }
        if (bit->Launched()) {
            PassThrough(*bit, enemies);
            continue;
        }
        for (const auto& enemy : enemies) {
            if (CanBeHit(*enemy) && Touches(*bit, *enemy)) {
                Explode(*bit, *enemy, enemies);
                break;
            }
        }
    }
}

void Sovia_Planetar::Explode(PlanetarBullet& bit, Enemy& enemy, EnemyList& enemies) {
    bit.alive = 0;
    enemy.Damage(damage, true, false);
    DamageAround(enemies, enemy, bit.x, bit.y, kBlastReach, BlastEdge::Included);
    explosions_.Add(Device(), Assets(), bit.x, bit.y, kBlastSize, kBlastTint, "light_wave.png", "ef_circle.png");
    Assets().Play("sovia_planetar_explo.wav");
}

void Sovia_Planetar::PassThrough(PlanetarBullet& bit, EnemyList& enemies) {
    for (const auto& enemy : enemies) {
        if (CanBeHit(*enemy) && !bit.HasHit(*enemy) && Touches(bit, *enemy)) {
            enemy->Damage(damage, true, false);
            bit.MarkHit(*enemy);
            Assets().Play("sovia_planetar_hit.wav");
        }
    }
}
