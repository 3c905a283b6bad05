#include "tower/SoulTanks.h"

#include <cmath>

#include "base/EnemyKind.h"
#include "bullet/BulletGeometry.h"
#include "bullet/LazerBullet.h"
#include "enemy/Enemy.h"
#include "gfx/RenderPresets.h"
#include "tower/TowerAssets.h"

namespace {

constexpr int kExposeFrames = 2;
constexpr float kQuarterTurn = 1.570796f;
constexpr float kFullTurn = 6.283185f;

// The ring: the counter rises by 3 a frame to 160, so a pulse lasts 54 frames.
constexpr int kPulseTop = 160;
constexpr int kPulseStep = 3;
constexpr int kRingAlpha = 200;

// The strip: a turn takes about five seconds; it breathes between 20 and 36 pixels wide once a
// second.
constexpr float kStripTurn = 0.02f;
constexpr float kStripMidWidth = 28.0f;
constexpr float kStripSwing = 8.0f;
constexpr int kBreathFrames = 60;
constexpr int kStripAlpha = 150;

}  // namespace

bool SoulTank::IsGhost(const Enemy& enemy) {
    return enemy.kind == KindId(EnemyKind::Ghost) || enemy.kind == KindId(EnemyKind::Ghost, true);
}

bool SoulTank::Fire(EnemyList& enemies, bool running) {
    if (CanAct(running)) {
        CheckWeakening(enemies);
    }
    return false;
}

void SoulTank::HitTest(EnemyList& enemies) {
    if (!alive || busy) {
        return;
    }
    for (const auto& enemy : enemies) {
        if (!IsGhost(*enemy) || !CanBeHit(*enemy) || !InLight(*enemy) || enemy->exposeFrames != 0) {
            continue;
        }
        enemy->exposeFrames = kExposeFrames;
        if (soundDue_) {
            Assets().Play("soulhit.wav");
            soundDue_ = false;
        }
    }
}

// --- Ardel_Soul ------------------------------------------------------------------------------

Ardel_Soul::Ardel_Soul(const TowerContext& context, int x, int y)
    : SoulTank(context, tower::KindTableOf(tower::Character::Ardel, tower::kSoulKind), x, y) {
    pulse_.Set(0, kPulseTop, 0);
    pulse_.wrap = 1;
    ring_.Create(context.device, Assets().Texture("ardel_soul.png"), static_cast<float>(x), static_cast<float>(y),
                 0.0f, 0.0f);
}

bool Ardel_Soul::InLight(const Enemy& enemy) const {
    const float distance = bullet::Distance(static_cast<float>(x), static_cast<float>(y), enemy.x, enemy.y);
    return distance <= kReach && distance <= Radius();
}

void Ardel_Soul::UpdateBullets(bool running) {
    if (!alive) {
        return;
    }
    if (running && !busy) {
        pulse_.Increase(kPulseStep);
        if (pulse_.Get() == 0) {
            NewPulse();
        }
    }
    // The ring fades as it spreads.
    const float diameter = 2.0f * Radius();
    ring_.SetSize(diameter, diameter);
    ring_.alpha = kRingAlpha - kRingAlpha * pulse_.Get() / (kPulseTop + 1);
    SetAdditiveStates(Device());
    ring_.Draw(0);
    SetAlphaBlendStates(Device());
}

// --- Sovia_Soul ------------------------------------------------------------------------------

Sovia_Soul::Sovia_Soul(const TowerContext& context, int x, int y)
    : SoulTank(context, tower::KindTableOf(tower::Character::Sovia, tower::kSoulKind), x, y) {
    strip_.Create(context.device, Assets().Texture("sovia_soul.png"), static_cast<float>(x), static_cast<float>(y),
                  kStripMidWidth, kBehind + static_cast<float>(range));
    strip_.alpha = kStripAlpha;
}

float Sovia_Soul::HalfWidth() const {
    const float phase = kFullTurn * static_cast<float>(breath_) / static_cast<float>(kBreathFrames);
    return 0.5f * (kStripMidWidth + kStripSwing * std::sin(phase));
}

float Sovia_Soul::OriginX() const { return static_cast<float>(x) - kBehind * std::cos(direction_); }
float Sovia_Soul::OriginY() const { return static_cast<float>(y) - kBehind * std::sin(direction_); }

bool Sovia_Soul::InLight(const Enemy& enemy) const {
    return BeamTouches(OriginX(), OriginY(), std::cos(direction_), std::sin(direction_), enemy.x, enemy.y,
                       enemy.hitRadius, HalfWidth(), kBehind + static_cast<float>(EffectiveRange()));
}

void Sovia_Soul::UpdateBullets(bool running) {
    if (!alive) {
        return;
    }
    if (running && !busy) {
        direction_ = std::fmod(direction_ + kStripTurn, kFullTurn);
        breath_ = (breath_ + 1) % kBreathFrames;
        if (breath_ == 0) {
            NewPulse();
        }
    }
    strip_.x = OriginX();
    strip_.y = OriginY();
    strip_.angle = direction_ - kQuarterTurn;
    strip_.SetSize(2.0f * HalfWidth(), kBehind + static_cast<float>(EffectiveRange()));
    SetAdditiveStates(Device());
    strip_.Draw(0);
    SetAlphaBlendStates(Device());
}
