#pragma once
#include <cstdint>

#include "object/Object.h"

// What the two kinds of sprite share: a position, a rotation with its spin, a colour and alpha
// with its pulse, and a texture rectangle with its scroll. Object2D centres its quad on (x, y);
// Object2DVector anchors a strip there. Owners write the fields directly; changes show at the
// next vertex rebuild.
class Sprite : public Object {
public:
    void SetAnimation(int alpha, int pulseStep, float uLeft, float uRight, float uScroll, float vTop, float vBottom,
                      float vScroll);
    void SetPosition(float x, float y);
    void SetRotation(float angle, float spin);
    virtual void BuildVertices() = 0;

    // Does nothing once alive is clear; update 1 runs one frame of spin, pulse and scroll first.
    void Draw(int update) override;
    // Spin, pulse, scroll and rebuild: everything an updating draw does before drawing. Owners
    // that advance a sprite apart from drawing it call this, then Draw(0).
    void Animate();

    float x = 0.0f;
    float y = 0.0f;
    float radius = 0.0f;
    float angle = 0.0f;  // exactly 0 keeps the cheap axis-aligned placement
    float spin = 0.0f;
    float cornerAngle[4] = {};
    std::uint8_t pulseUp = 0;  // 1 while the alpha pulse rises
    int red = 255;
    int green = 255;
    int blue = 255;
    float width = 16.0f;
    int alpha = 255;
    int pulseStep = 0;  // alpha change per updating draw; 0 = steady
    float uLeft = 0.0f;
    float uRight = 1.0f;
    float vTop = 0.0f;
    float vBottom = 1.0f;
    float uScroll = 0.0f;
    float vScroll = 0.0f;

protected:
    // The common part of Create: device, position, no rotation, placeholder vertices, and a
    // borrowed texture.
    void Begin(gfx::Device* device, gfx::Texture* texture, float x, float y, float width);
    // One frame of the alpha pulse: bounces between 0 and 255, turning at each end.
    void StepPulse();
    void StepScroll();
    std::uint32_t Colour() const;
    // Texture corners in strip order and one colour on all four vertices.
    void ApplyLook(std::uint32_t colour);
};
