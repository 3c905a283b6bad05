#pragma once
#include "object/Sprite.h"

// A strip anchored at the middle of its near edge, reaching `length` pixels in screen direction
// angle + pi/2. Beams grow by lengthening it while the anchor stays at the muzzle.
class Object2DVector : public Sprite {
public:
    Object2DVector() { width = 8.0f; }

    // Unlike Object2D's Create this leaves the placeholder vertices until the first rebuild.
    void Create(gfx::Device* device, gfx::Texture* texture, float x, float y, float width, float length);
    void SetSize(float width, float length);
    void BuildVertices() override;

    float length = 32.0f;  // radius is the distance from the anchor to each far corner

private:
    void ComputeCorners();
};
