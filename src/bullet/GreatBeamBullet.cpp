#include "bullet/GreatBeamBullet.h"

#include "gfx/RenderPresets.h"

namespace {

constexpr float kQuarterTurn = 1.570796f;
// Longer than any line across the field: the beam has no end in sight.
constexpr float kLength = 900.0f;
constexpr int kFullWidth = 320;
constexpr int kChargeGrowth = 2;
constexpr int kFireGrowth = 40;
constexpr int kFadeStep = 16;
// Each strip's share of the width counter; the outer grey one is widest.
constexpr float kStripShare[4] = {0.32f, 0.24f, 0.2f, 0.12f};
constexpr int kStripColour[4][3] = {{150, 150, 150}, {200, 30, 20}, {20, 200, 20}, {20, 30, 200}};

}  // namespace

void GreatBeamBullet::Setup(gfx::Device* newDevice, gfx::Texture* newTexture, float ox, float oy,
                            int lastFiringFrame) {
    device = newDevice;
    originX_ = ox;
    originY_ = oy;
    length_ = kLength;
    lastFiringFrame_ = lastFiringFrame;
    frame_ = 0;
    pulses_ = 1;
    width_.Set(0, kFullWidth, 0);
    for (std::size_t k = 0; k < strips_.size(); ++k) {
        Object2DVector& strip = strips_[k];
        strip.Create(newDevice, newTexture, ox, oy, 0.0f, length_);
        strip.SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, -0.05f);
        strip.red = kStripColour[k][0];
        strip.green = kStripColour[k][1];
        strip.blue = kStripColour[k][2];
    }
    alive = 1;
}

void GreatBeamBullet::Aim(float angle) {
    // Only while the coming frame still charges.
    if (frame_ < kChargeFrames) {
        angle_ = angle;
    }
}

float GreatBeamBullet::Width() const { return static_cast<float>(width_.Get()) * kStripShare[0]; }

void GreatBeamBullet::Advance() {
    ++frame_;
    if (frame_ <= kChargeFrames) {
        width_.Increase(kChargeGrowth);
    } else if (frame_ <= lastFiringFrame_) {
        width_.Increase(kFireGrowth);
    } else {
        width_.Decrease(kFadeStep);
        if (width_.Get() < 1) {
            --pulses_;
        }
    }
    if (pulses_ < 1) {
        alive = 0;
    }
}

void GreatBeamBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        Advance();
    }
    if (!alive) {
        return;
    }
    SetAdditiveStates(device);
    for (std::size_t k = 0; k < strips_.size(); ++k) {
        Object2DVector& strip = strips_[k];
        // A strip reaches a quarter turn past its angle.
        strip.angle = angle_ - kQuarterTurn;
        strip.SetSize(static_cast<float>(width_.Get()) * kStripShare[k], length_);
        strip.Draw(update);
    }
    SetAlphaBlendStates(device);
}
