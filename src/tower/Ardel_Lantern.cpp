#include "tower/Ardel_Lantern.h"

#include "base/Random.h"
#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"
#include "gfx/RenderPresets.h"
#include "tower/TowerAssets.h"

namespace {

constexpr int kStunPercent[tower::kMaxLevel + 1] = {5, 7, 10, 13, 15, 25};
// The glows flash fully lit and fade out by this much per frame.
constexpr int kFlashFade = 7;

struct GlowLook {
    const char* texture;
    float size;
};

}  // namespace

Ardel_Lantern::Ardel_Lantern(const TowerContext& context, int x, int y)
    : cBaseCharacterTank(context, tower::KindTableOf(tower::Character::Ardel, 7), x, y),
      fireInterval(Table().FireIntervalAt(level)) {
    // The wide glow covers the discharge's reach.
    const float reach = 2.0f * static_cast<float>(range + kDischargeReach);
    const GlowLook looks[3] = {{"light_ball.png", reach}, {"flare.png", 64.0f}, {"light_ball.png", 24.0f}};
    for (std::size_t i = 0; i < glows_.size(); ++i) {
        Object2D& glow = glows_[i];
        glow.Create(Device(), Assets().Texture(looks[i].texture), static_cast<float>(x), static_cast<float>(y),
                    looks[i].size, looks[i].size);
        glow.SetAnimation(0, 0, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    }
}

int Ardel_Lantern::StunPercent(int level) { return kStunPercent[level]; }

bool Ardel_Lantern::WalkingEnemyInRange(const EnemyList& enemies) const {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const auto reach = static_cast<float>(EffectiveRange());
    for (const auto& enemy : enemies) {
        if (CanBeHit(*enemy) && !enemy->IsFlying() && bullet::Distance(fx, fy, enemy->x, enemy->y) < reach) {
            return true;
        }
    }
    return false;
}

bool Ardel_Lantern::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    CheckWeakening(enemies);
    if (fireCounter <= fireInterval || !WalkingEnemyInRange(enemies)) {
        return false;
    }
    if (++charge <= kFullCharge) {
        return false;
    }
    Discharge(enemies);
    return true;
}

void Ardel_Lantern::Discharge(EnemyList& enemies) {
    fireCounter = 0;
    charge = 0;
    for (Object2D& glow : glows_) {
        glow.alpha = 255;
        glow.pulseStep = kFlashFade;
        glow.pulseUp = 0;
    }
    Assets().Play("ardel_lantern.wav");
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const auto reach = static_cast<float>(EffectiveRange() + kDischargeReach);
    const int stunPercent = StunPercent(level);
    for (const auto& enemy : enemies) {
        if (!CanBeHit(*enemy) || enemy->IsFlying() || bullet::Distance(fx, fy, enemy->x, enemy->y) > reach) {
            continue;
        }
        enemy->Damage(damage, false, false);
        if (Random::Next() % 100 < stunPercent && enemy->shakeFrames <= 0) {
            enemy->shakeFrames = kStunFrames;
        }
    }
}

void Ardel_Lantern::UpdateBullets(bool running) {
    if (glows_.front().pulseStep == 0) {
        return;
    }
    SetAdditiveStates(Device());
    for (Object2D& glow : glows_) {
        glow.Draw(running ? 1 : 0);
        // The flash fades out once; it does not pulse back.
        if (glow.pulseUp != 0) {
            glow.alpha = 0;
            glow.pulseStep = 0;
            glow.pulseUp = 0;
        }
    }
    SetAlphaBlendStates(Device());
}
