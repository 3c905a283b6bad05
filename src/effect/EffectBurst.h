#pragma once
#include <cstdint>

#include "object/Object2D.h"

// A ring that grows while it fades; with repeat set it starts over instead of ending.
// alive starts at 0 and Init leaves it alone: the owner sets it when it adds the burst to its list.
class EffectBurst {
public:
    virtual ~EffectBurst() = default;

    void Init(gfx::Device* device, gfx::Texture* texture, float x, float y, float size, int pulseStep, float growth);
    void Update(int update);

    std::uint8_t alive = 0;
    float growth = 0.0f;  // pixels added to the size per update
    float size = 0.0f;
    float initialSize = 0.0f;
    int pulseStep = 0;
    std::uint8_t repeat = 0;
    Object2D sprite;
};
