#pragma once
#include "object/Object.h"
#include "object/SpriteLook.h"

// The general sprite: a rectangle centred on (x, y) with size, rotation, colour, alpha and a
// texture rectangle, plus three built-in per-frame animations (spin, alpha pulse, scroll).
class Object2D : public Object, public SpriteLook {
public:
    Object2D() = default;

    void Create(gfx::Device* device, gfx::Texture* texture, float x, float y, float width, float height);
    void SetAnimation(int alpha, int pulseStep, float uLeft, float uRight, float uScroll, float vTop, float vBottom,
                      float vScroll);
    void SetSize(float width, float height);
    void SetPosition(float x, float y);
    void SetRotation(float angle, float spin);
    void BuildVertices();

    void Draw(int update) override;

    float x = 0.0f;
    float y = 0.0f;
    float spare = 0.0f;          // free for subclasses
    std::uint8_t spareFlag = 0;  // free for subclasses
    float radius = 0.0f;         // half the diagonal
    float angle = 0.0f;          // exactly 0 keeps the cheap axis-aligned placement
    float spin = 0.0f;
    float cornerAngle[4] = {};
    float width = 16.0f;
    float height = 16.0f;

protected:
    // Spin, alpha pulse, scroll and rebuild: the per-frame steps of an updating draw.
    void Animate();
    // Places the quad around any centre; several subclasses draw copies away from (x, y).
    void PlaceCorners(float centreX, float centreY);

private:
    void ComputeCorners();
};
