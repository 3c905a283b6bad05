#include "tower/SpellTanks.h"

#include <algorithm>
#include <cmath>

#include "bullet/BulletGeometry.h"
#include "bullet/LazerBullet.h"
#include "enemy/Enemy.h"
#include "gfx/RenderPresets.h"
#include "tower/TowerAssets.h"
#include "tower/TowerInput.h"

namespace {

// The barrier: alpha min(255, 303 - 3t), the inner square shrinking from twice the range by a
// pixel a frame for 30 frames, the outer two 28 pixels larger and turning ever faster.
constexpr int kBarrierAlphaStart = 303;
constexpr int kBarrierAlphaStep = 3;
constexpr int kBarrierShrink = 30;
constexpr float kOuterMargin = 28.0f;
constexpr float kFirstSpin = 0.01f;
constexpr float kSpinGrowth = 0.002f;
constexpr int kBeamStun = 2;

}  // namespace

void SpellTank::Draw(bool running) {
    // A replacement takes the tower down like any other; only a sale casts the spell.
    if (selling && !activated && !ReplacementOrdered()) {
        selling = false;
        Activate();
    }
    if (!activated) {
        cBaseCharacterTank::Draw(running);
    } else if (alive) {
        DrawCast(running);
    }
}

void SpellTank::UpdateBullets(bool /*running*/) {}

void SpellTank::HitTest(EnemyList& /*enemies*/) {}

// --- Ardel_Bomb ------------------------------------------------------------------------------

Ardel_Bomb::Ardel_Bomb(const TowerContext& context, int x, int y)
    : SpellTank(context, tower::KindTableOf(tower::Character::Ardel, tower::kSpellKind), x, y) {}

void Ardel_Bomb::Activate() {
    if (activated) {
        return;
    }
    activated = true;
    Assets().Play("ardel_bomb.wav");
    gfx::Texture* const texture = Assets().Texture("kekkai.png");
    const float size = 2.0f * static_cast<float>(EffectiveRange());
    for (std::size_t k = 0; k < squares_.size(); ++k) {
        const float square = k == 0 ? size : size + kOuterMargin;
        squares_[k].Create(Device(), texture, static_cast<float>(x), static_cast<float>(y), square, square);
    }
    spin_ = kFirstSpin;
}

int Ardel_Bomb::AlphaAt(int frame) { return std::min(255, kBarrierAlphaStart - kBarrierAlphaStep * frame); }

void Ardel_Bomb::DrawCast(bool running) {
    // The barrier ends in the first running frame whose alpha would be nothing.
    if (running && AlphaAt(spellFrame_) < 1) {
        alive = false;
        return;
    }
    const float size =
        2.0f * static_cast<float>(EffectiveRange()) - static_cast<float>(std::min(spellFrame_, kBarrierShrink));
    for (std::size_t k = 0; k < squares_.size(); ++k) {
        Object2D& square = squares_[k];
        const float side = k == 0 ? size : size + kOuterMargin;
        square.alpha = std::max(0, AlphaAt(spellFrame_));
        square.SetSize(side, side);
        if (running && k > 0) {
            square.angle += k == 1 ? spin_ : -spin_;
        }
        square.BuildVertices();
        square.Draw(0);
    }
    if (running) {
        spin_ += kSpinGrowth;
        ++spellFrame_;
    }
}

bool Ardel_Bomb::Fire(EnemyList& enemies, bool running) {
    // The barrier's frame was counted by this frame's Draw.
    if (!activated || !alive || !running) {
        return false;
    }
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const double share = static_cast<double>(damage) / kSpellFrames;
    for (const auto& enemy : enemies) {
        if (!CanBeHit(*enemy) ||
            bullet::Distance(fx, fy, enemy->x, enemy->y) > static_cast<float>(EffectiveRange())) {
            continue;
        }
        enemy->Damage(share, true, true);
        if (const int stun = StunFrames(level); stun > 0) {
            enemy->shakeFrames = stun;
        }
    }
    return true;
}

// --- Sovia_Bomb ------------------------------------------------------------------------------

Sovia_Bomb::Sovia_Bomb(const TowerContext& context, int x, int y)
    : SpellTank(context, tower::KindTableOf(tower::Character::Sovia, tower::kSpellKind), x, y) {}

double Sovia_Bomb::DamagePerFrame(int level) { return 3.0 * std::pow(2.0, level - 1); }

void Sovia_Bomb::Activate() {
    if (activated) {
        return;
    }
    activated = true;
    Assets().Play("sovia_beamcharge.wav");
    beam_ = std::make_unique<GreatBeamBullet>();
    beam_->Setup(Device(), Assets().Texture("m_beam.png"), static_cast<float>(x), static_cast<float>(y),
                 LastFiringFrame(level));
}

bool Sovia_Bomb::Fire(EnemyList& /*enemies*/, bool running) {
    if (!beam_ || !alive || !running) {
        return false;
    }
    const tower::Pointer pointer = PointerAt();
    const float toX = static_cast<float>(pointer.x - x);
    const float toY = static_cast<float>(pointer.y - y);
    // A pointer right on the tower leaves the beam as it was.
    if (toX != 0.0f || toY != 0.0f) {
        beam_->Aim(std::atan2(toY, toX));
    }
    return false;
}

void Sovia_Bomb::UpdateBullets(bool running) {
    if (!beam_) {
        return;
    }
    const bool wasFiring = beam_->Firing();
    beam_->Draw(running ? 1 : 0);
    if (beam_->Firing() && !wasFiring) {
        Assets().Play("ardel_bomb.wav");
    }
    if (!beam_->alive) {
        alive = false;
    }
}

void Sovia_Bomb::HitTest(EnemyList& enemies) {
    // A paused frame repeats the beam's frame; it hurts once.
    if (!beam_ || !beam_->Firing() || beam_->Frame() == lastHitFrame_) {
        return;
    }
    lastHitFrame_ = beam_->Frame();
    const float dx = std::cos(beam_->Angle());
    const float dy = std::sin(beam_->Angle());
    for (const auto& enemy : enemies) {
        if (CanBeHit(*enemy) && BeamTouches(beam_->OriginX(), beam_->OriginY(), dx, dy, enemy->x, enemy->y,
                                            enemy->hitRadius, kHalfWidth, -1.0f)) {
            enemy->Damage(DamagePerFrame(level), true, true);
            enemy->shakeFrames = kBeamStun;
        }
    }
}
