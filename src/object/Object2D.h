#pragma once
#include "object/Sprite.h"

// The general sprite: a rectangle centred on (x, y) with size, rotation, colour, alpha and a
// texture rectangle, plus three built-in per-frame animations (spin, alpha pulse, scroll).
class Object2D : public Sprite {
public:
    void Create(gfx::Device* device, gfx::Texture* texture, float x, float y, float width, float height);
    void SetSize(float width, float height);
    void BuildVertices() override;

    float spare = 0.0f;          // free for subclasses
    std::uint8_t spareFlag = 0;  // free for subclasses
    float height = 16.0f;

protected:
    // Places the quad around any centre; several subclasses draw copies away from (x, y).
    void PlaceCorners(float centreX, float centreY);

private:
    void ComputeCorners();
};
