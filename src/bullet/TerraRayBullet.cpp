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

constexpr float kHalfTurn = 3.141593f;
// The side beams stand this far beyond the point where the ray stopped, past the field's edge.
constexpr float kSideBeamsBeyond = 100.0f;
constexpr int kMuzzleAlpha = 100;
constexpr int kMuzzleRise = 6;

constexpr int kChargeFrames = 26;
constexpr int kChargeGrowth = 4;
constexpr int kFireGrowth = 30;
constexpr int kMaxWidth = 300;
constexpr float kWidthShare = 0.1f;
constexpr float kOuterShare = 0.12f;
// A glow brighter than this while charging is held steady at kBrightAlpha.
constexpr int kGlowSettles = 239;
// The beam shoots out for 24 frames and then draws back and fades; the ray is gone after 80.
constexpr int kFadeFrame = 24;
constexpr int kLengthGrowth = 7;
constexpr int kLengthShrink = 5;
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
    // The muzzle brightens while the ray charges.
    muzzle_.SetAnimation(kMuzzleAlpha, kMuzzleRise, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    muzzle_.pulseUp = 1;
    sideBeam_.Create(newDevice, rayTexture, newX, newY, 0.0f, kBeamLength);
    outerBeam_.Create(newDevice, rayTexture, newX, newY, 0.0f, kBeamLength);
    outerBeam_.red = 120;
    outerBeam_.green = 255;
    outerBeam_.blue = 160;
    width_.Set(0, kMaxWidth, 0);
    length_.Set(0, static_cast<int>(kBeamLength), 0);
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
    // Everything now points back the way the ray came: the ray itself, which becomes the firing
    // beam, and the side beams, anchored beyond the field's edge so that they light its whole line.
    const float beamAngle = (axis_ == kAxisRow ? kHalfTurn : -kQuarterTurn) - kQuarterTurn;
    SetRotation(beamAngle, 0.0f);
    for (Object2DVector* beam : {&sideBeam_, &outerBeam_}) {
        beam->x = beamX_ - kSideBeamsBeyond * BeamDirX();
        beam->y = beamY_ - kSideBeamsBeyond * BeamDirY();
        beam->angle = beamAngle;
    }
    phase_ = Phase::Charging;
    phaseFrame_ = 0;
}

float TerraRayBullet::FiringWidth() const { return kWidthShare * static_cast<float>(width_.Get()); }

std::array<Sprite*, 5> TerraRayBullet::Parts() {
    return {&glow_, &muzzle_, &sideBeam_, &outerBeam_, this};
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
    }
    SizeSideBeams();
    DrawSideBeams(update);
    DrawRayOnce(update);
    if (update != 1) {
        return;
    }
    for (Object2D* glow : {&glow_, &muzzle_}) {
        if (glow->alpha > kGlowSettles) {
            glow->alpha = kBrightAlpha;
            glow->pulseStep = 0;
        }
    }
    if (phaseFrame_ > kChargeFrames) {
        phase_ = Phase::Firing;
        phaseFrame_ = 0;
        if (fireSound_ != nullptr) {
            fireSound_->PlayFromStart();
        }
    }
}

void TerraRayBullet::FireBeam(int update) {
    if (update == 1) {
        ++phaseFrame_;
        width_.Increase(kFireGrowth);
        if (phaseFrame_ < kFadeFrame) {
            length_.Increase(kLengthGrowth);
        } else if (phaseFrame_ > kFadeFrame) {
            length_.Decrease(kLengthShrink);
        } else {
            for (Sprite* part : Parts()) {
                part->alpha = kBrightAlpha;
                part->pulseStep = kFadeStep;
                part->pulseUp = 0;
            }
        }
        if (phaseFrame_ > kLastFrame) {
            alive = 0;
            return;
        }
        // Once the glow has faded everything stays out instead of pulsing back.
        if (glow_.pulseStep != 0 && glow_.alpha < kFadeStep + 1) {
            for (Sprite* part : Parts()) {
                part->alpha = 0;
                part->pulseStep = 0;
            }
        }
    }
    SizeSideBeams();
    SetSize(FiringWidth(), static_cast<float>(length_.Get()));
    DrawSideBeams(update);
    // The firing beam twice over, additively, for a white-hot core.
    DrawRayOnce(update);
    DrawRayOnce(0);
}

void TerraRayBullet::SizeSideBeams() {
    sideBeam_.SetSize(FiringWidth(), kBeamLength);
    outerBeam_.SetSize(kOuterShare * static_cast<float>(width_.Get()), kBeamLength);
}

void TerraRayBullet::DrawSideBeams(int update) {
    SetAdditiveStates(device);
    glow_.Draw(update);
    muzzle_.Draw(update);
    outerBeam_.Draw(update);
    sideBeam_.Draw(update);
    SetAlphaBlendStates(device);
}

void TerraRayBullet::DrawRayOnce(int update) {
    SetAdditiveStates(device);
    // In place: the ray no longer moves once it has stopped at the edge.
    Object2DVector::Draw(update);
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
