#pragma once
#include <cstdint>

#include "gfx/QuadVertex.h"

// What a sprite looks like apart from where it is: colour, alpha with its pulse, and the texture
// rectangle with its scroll. Object2D and Object2DVector share it, and owners write these fields
// directly; changes show at the sprite's next vertex rebuild.
struct SpriteLook {
    std::uint8_t pulseUp = 0;  // 1 while the alpha pulse rises
    int red = 255;
    int green = 255;
    int blue = 255;
    int alpha = 255;
    int pulseStep = 0;  // alpha change per updating draw; 0 = steady
    float uLeft = 0.0f;
    float uRight = 1.0f;
    float vTop = 0.0f;
    float vBottom = 1.0f;
    float uScroll = 0.0f;
    float vScroll = 0.0f;

    // Stores the look in the argument order every caller uses.
    void SetLook(int newAlpha, int newPulseStep, float left, float right, float scrollU, float top, float bottom,
                 float scrollV);
    // One frame of the alpha pulse: bounces between 0 and 255, turning at each end.
    void StepPulse();
    void StepScroll();
    std::uint32_t Colour() const;
    // Texture corners in strip order: (left, top), (right, top), (left, bottom), (right, bottom).
    void ApplyTextureCorners(QuadVertex* quad) const;
    static void ApplyColour(QuadVertex* quad, std::uint32_t colour);
};
