#pragma once
#include <cstdint>

#include "object/Object2D.h"

// A ring that grows while it fades; with repeat set it starts over instead of ending.
// alive starts at 0 and Init leaves it alone: the owner sets it when it adds the burst to its list.
class EffectBurst {
public:
    virtual ~EffectBurst() = default;

    void Init(gfx::Device* device, gfx::Texture* texture, float x, float y, float size, int pulseStep, float growth);
    // update 1 advances one frame and draws; any other value only draws.
    void Update(int update);
    // One frame of growing and fading, which may end the burst. Owners that run frames without
    // drawing them call this alone.
    void Advance();
    // Draws the ring as it stands, while the burst lives.
    void Draw();

    std::uint8_t alive = 0;
    float growth = 0.0f;  // pixels added to the size per update
    float size = 0.0f;
    float initialSize = 0.0f;
    int pulseStep = 0;
    std::uint8_t repeat = 0;
    Object2D sprite;
};
