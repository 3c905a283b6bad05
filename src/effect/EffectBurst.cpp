#include "effect/EffectBurst.h"

namespace {

// Below this alpha the ring is as good as gone.
constexpr int kFadedAlpha = 21;

}  // namespace

void EffectBurst::Init(gfx::Device* device, gfx::Texture* texture, float x, float y, float newSize, int newPulseStep,
                       float newGrowth) {
    size = newSize;
    initialSize = newSize;
    pulseStep = newPulseStep;
    growth = newGrowth;
    sprite.Create(device, texture, x, y, newSize, newSize);
    sprite.pulseUp = 0;
    sprite.SetAnimation(255, newPulseStep, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
}

void EffectBurst::Update(int update) {
    if (update == 1) {
        Advance();
    }
    Draw();
}

void EffectBurst::Advance() {
    size += growth;
    sprite.SetSize(size, size);
    if (sprite.alpha < kFadedAlpha) {
        if (repeat) {
            size = initialSize;
            sprite.alpha = 255;
            sprite.pulseUp = 0;
            sprite.pulseStep = pulseStep;
        } else {
            alive = 0;
        }
    }
    if (alive) {
        sprite.Animate();
    }
}

void EffectBurst::Draw() {
    if (alive) {
        sprite.Draw(0);
    }
}
