#pragma once
#include "object/Object.h"
#include "object/SpriteLook.h"

// A strip anchored at the middle of its near edge, reaching `length` pixels in screen direction
// angle + pi/2. Beams grow by lengthening it while the anchor stays at the muzzle.
class Object2DVector : public Object, public SpriteLook {
public:
    Object2DVector() = default;

    // Unlike Object2D's Create this leaves the placeholder vertices until the first rebuild.
    void Create(gfx::Device* device, gfx::Texture* texture, float x, float y, float width, float length);
    void SetAnimation(int alpha, int pulseStep, float uLeft, float uRight, float uScroll, float vTop, float vBottom,
                      float vScroll);
    void SetSize(float width, float length);
    void SetPosition(float x, float y);
    void SetRotation(float angle, float spin);
    void BuildVertices();

    void Draw(int update) override;

    float x = 0.0f;
    float y = 0.0f;
    float radius = 0.0f;  // anchor to each far corner
    float angle = 0.0f;
    float spin = 0.0f;
    float cornerAngle[4] = {};
    float width = 8.0f;
    float length = 32.0f;

private:
    void ComputeCorners();
};
