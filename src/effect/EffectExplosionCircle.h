#pragma once
#include <cstdint>

#include "object/AnimationStep.h"
#include "object/Object2D.h"

// An explosion: a 16-frame animation from an 8 x 2 sheet under two counter-rotating rings and a
// turning core. It ends with the animation.
class EffectExplosionCircle {
public:
    virtual ~EffectExplosionCircle() = default;

    void Init(gfx::Device* device, gfx::Texture* explosionSheet, gfx::Texture* coreTexture, gfx::Texture* ringTexture,
              float x, float y, float size);
    void Update(int update);

    std::uint8_t alive = 1;
    AnimationStep explosion;
    Object2D rings[2];
    Object2D core;
};
