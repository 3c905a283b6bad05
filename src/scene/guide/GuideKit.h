#pragma once
#include <cstdint>

#include "object/MouseChangeObject2D.h"
#include "object/Object2D.h"
#include "object/SpriteNumber.h"

struct SceneContext;

// Small pieces the guides draw with: plain quads, small numbers and the time they show for.
namespace guide {

struct Colour {
    int red;
    int green;
    int blue;
};

// A quad of one colour, for plates, dimming and lines; no texture is bound.
void MakePlate(Object2D& plate, gfx::Device* device, Colour colour, int alpha);
// Draws the plate centred at (x, y) with the size and, when non-zero, the angle.
void DrawPlate(Object2D& plate, float x, float y, float width, float height, float angle = 0.0f);

// Digits of the HUD's digit sheet at a size small enough to sit on a shop icon.
void MakeSmallNumber(SpriteNumber& number, gfx::Device* device, Colour colour);
// Draws the number with its right edge at `right`.
void DrawRightAligned(SpriteNumber& number, int value, float right, float y);

// Whether the mouse is inside a button's hit box, without touching the button's hover state.
bool MouseOver(const MouseChangeObject2D& button, const SceneContext& input);

// A guide's notice lasts a stretch of shown time, whatever the battle's speed: at x4 a battle
// frame is a quarter of a shown one.
class ShownTimer {
public:
    void Start(float shownFrames) { left_ = shownFrames; length_ = shownFrames; }
    void Step(int battleSpeed) {
        if (left_ > 0.0f) {
            left_ -= 1.0f / static_cast<float>(battleSpeed > 0 ? battleSpeed : 1);
        }
    }
    bool Running() const { return left_ > 0.0f; }
    // 1 when started, falling to 0 when done.
    float Left() const { return length_ > 0.0f && left_ > 0.0f ? left_ / length_ : 0.0f; }

private:
    float left_ = 0.0f;
    float length_ = 0.0f;
};

}  // namespace guide
