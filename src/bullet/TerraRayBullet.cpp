#include "bullet/TerraRayBullet.h"

#include <algorithm>

#include "audio/DirectSound.h"
#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"
#include "gfx/RenderPresets.h"

namespace {

constexpr float kQuarterTurn = 1.570796f;
constexpr float kStartSpeed = 0.3f;
constexpr float kAimEdge = 420.0f;
constexpr float kTurnEdge = 430.0f;
constexpr float kRayWidth = 6.0f;
constexpr float kRayLength = 24.0f;
constexpr float kGlowSize = 24.0f;

constexpr int kChargeFrames = 26;
constexpr int kChargeGrowth = 4;
constexpr int kFireGrowth = 30;
constexpr int kMaxWidth = 300;
constexpr float kWidthShare = 0.1f;
constexpr float kOuterShare = 0.12f;
// The beam burns at full strength for 24 frames, then fades; the ray is gone after 80.
constexpr int kFadeFrame = 24;
constexpr int kFadeStep = 5;
constexpr int kLastFrame = 79;
constexpr int kBrightAlpha = 250;

}  // namespace

void TerraRayBullet::Setup(gfx::Device* newDevice, gfx::Texture* rayTexture, gfx::Texture* glowTexture,
                           DirectSound* fireSound, float newX, float newY) {
    Create(newDevice, rayTexture, newX, newY, kRayWidth, kRayLength);
    SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    glow_.Create(newDevice, glowTexture, newX, newY, kGlowSize, kGlowSize);
    muzzle_.Create(newDevice, glowTexture, newX, newY, kGlowSize, kGlowSize);
    muzzle_.SetAnimation(100, 6, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    sideBeam_.Create(newDevice, rayTexture, newX, newY, 0.0f, kBeamLength);
    outerBeam_.Create(newDevice, rayTexture, newX, newY, 0.0f, kBeamLength);
    outerBeam_.red = 120;
    outerBeam_.green = 255;
    outerBeam_.blue = 160;
    width_.Set(0, kMaxWidth, 0);
    fireSound_ = fireSound;
    alive = 1;
}

void TerraRayBullet::Aim(float tx, float ty, int axis) {
    axis_ = axis;
    const float toX = axis == kAxisRow ? kAimEdge : tx;
    const float toY = axis == kAxisRow ? ty : kAimEdge;
    const bullet::Velocity velocity = bullet::VelocityTowards(x, y, toX, toY, kStartSpeed);
    SetMotion(velocity.vx, velocity.vy, 0.5f * velocity.vx, 0.5f * velocity.vy);
    SetRotation(velocity.angle - kQuarterTurn, 0.0f);
}

float TerraRayBullet::BeamHalfWidth() const { return 0.5f * kWidthShare * static_cast<float>(width_.Get()); }

bool TerraRayBullet::HasHit(const Enemy& enemy) const {
    return std::any_of(hit_.begin(), hit_.end(), [&](const EnemyRef& ref) { return ref.Is(&enemy); });
}

void TerraRayBullet::MarkHit(const Enemy& enemy) { hit_.push_back(enemy.Ref()); }

void TerraRayBullet::Turn() {
    SetMotion(0.0f, 0.0f, 0.0f, 0.0f);
    beamX_ = x;
    beamY_ = y;
    const float beamAngle = (axis_ == kAxisRow ? 3.141593f : -kQuarterTurn) - kQuarterTurn;
    for (Object2DVector* beam : {&sideBeam_, &outerBeam_}) {
        beam->x = beamX_;
        beam->y = beamY_;
        beam->angle = beamAngle;
    }
    phase_ = Phase::Charging;
    phaseFrame_ = 0;
}

void TerraRayBullet::Travel(int update) {
    if (update == 1) {
        Step();
        glow_.SetPosition(x, y);
        muzzle_.SetPosition(x, y);
        const bool edge = axis_ == kAxisRow ? x > kTurnEdge : y >= kTurnEdge;
        if (edge) {
            Turn();
        }
    }
    SetAdditiveStates(device);
    glow_.Draw(update);
    DrawQuad();
    SetAlphaBlendStates(device);
}

void TerraRayBullet::Charge(int update) {
    if (update == 1) {
        ++phaseFrame_;
        width_.Increase(kChargeGrowth);
        if (glow_.alpha > 239) {
            glow_.alpha = kBrightAlpha;
            glow_.pulseStep = 0;
        }
        if (phaseFrame_ > kChargeFrames) {
            phase_ = Phase::Firing;
            phaseFrame_ = 0;
            if (fireSound_ != nullptr) {
                fireSound_->PlayFromStart();
            }
        }
    }
    DrawBeams(update);
}

void TerraRayBullet::FireBeam(int update) {
    if (update == 1) {
        ++phaseFrame_;
        width_.Increase(kFireGrowth);
        if (phaseFrame_ == kFadeFrame) {
            for (Sprite* part : {static_cast<Sprite*>(&glow_), static_cast<Sprite*>(&muzzle_),
                                 static_cast<Sprite*>(&sideBeam_), static_cast<Sprite*>(&outerBeam_)}) {
                part->alpha = kBrightAlpha;
                part->pulseStep = kFadeStep;
                part->pulseUp = 0;
            }
        }
        if (phaseFrame_ > kLastFrame) {
            alive = 0;
            return;
        }
        for (Sprite* part : {static_cast<Sprite*>(&glow_), static_cast<Sprite*>(&muzzle_),
                             static_cast<Sprite*>(&sideBeam_), static_cast<Sprite*>(&outerBeam_)}) {
            // A faded part stays out instead of pulsing back.
            if (part->pulseStep != 0 && part->alpha < kFadeStep + 1) {
                part->alpha = 0;
                part->pulseStep = 0;
            }
        }
    }
    DrawBeams(update);
}

void TerraRayBullet::DrawBeams(int update) {
    const float width = kWidthShare * static_cast<float>(width_.Get());
    sideBeam_.SetSize(width, kBeamLength);
    outerBeam_.SetSize(width * kOuterShare / kWidthShare, kBeamLength);
    SetAdditiveStates(device);
    glow_.Draw(update);
    muzzle_.Draw(update);
    outerBeam_.Draw(update);
    // Twice over, additively, for a white-hot core.
    sideBeam_.Draw(update);
    sideBeam_.Draw(0);
    SetAlphaBlendStates(device);
}

void TerraRayBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    switch (phase_) {
        case Phase::Travelling: Travel(update); break;
        case Phase::Charging: Charge(update); break;
        case Phase::Firing: FireBeam(update); break;
    }
}
