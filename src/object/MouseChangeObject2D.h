#pragma once
#include "object/Object2D.h"

struct SceneContext;

// A button: knows whether the mouse is over it, pulses its alpha while hovered and can blink.
// Owners call HitTest before Draw each frame; Draw forgets the hover.
class MouseChangeObject2D : public Object2D {
public:
    // Zero size means the sprite's own size; zero offset centres the box on the sprite, any
    // other offset puts its top-left corner at (x + dx, y + dy).
    void SetHitBox(float hitWidth, float hitHeight, float hitDx, float hitDy);
    void SetBlinking(bool flag);
    // True when the mouse is inside the hit box; a second call in the same frame answers from
    // the first. The flag is not used.
    bool HitTest(const SceneContext& input, int flag);
    // The box the mouse must be in.
    struct Box {
        float left;
        float top;
        float width;
        float height;
    };
    Box HitBox() const;
    void Draw(int update) override;

    std::uint8_t hovered = 0;
    std::uint8_t blinking = 0;
    double blinkPhase = 0.0;
    float hitWidth = 0.0f;
    float hitHeight = 0.0f;
    float hitDx = 0.0f;
    float hitDy = 0.0f;
};
