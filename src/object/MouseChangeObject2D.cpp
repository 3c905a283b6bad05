#include "object/MouseChangeObject2D.h"

#include "base/SceneContext.h"

void MouseChangeObject2D::SetHitBox(float newWidth, float newHeight, float newDx, float newDy) {
    hitWidth = newWidth;
    hitHeight = newHeight;
    hitDx = newDx;
    hitDy = newDy;
}

void MouseChangeObject2D::SetBlinking(bool flag) { blinking = flag ? 1 : 0; }

MouseChangeObject2D::Box MouseChangeObject2D::HitBox() const {
    const bool ownSize = static_cast<int>(hitWidth) == 0 && static_cast<int>(hitHeight) == 0;
    const float boxWidth = ownSize ? width : hitWidth;
    const float boxHeight = ownSize ? height : hitHeight;
    const bool centred = hitDx == 0.0f && hitDy == 0.0f;
    return {centred ? x - boxWidth * 0.5f : x + hitDx, centred ? y - boxHeight * 0.5f : y + hitDy, boxWidth, boxHeight};
}

bool MouseChangeObject2D::HitTest(const SceneContext& input, int) {
    const Box box = HitBox();
    input.AddPointerSpot(static_cast<int>(box.left + box.width * 0.5f), static_cast<int>(box.top + box.height * 0.5f));
    if (hovered) {
        return true;
    }
    const auto mouseX = static_cast<float>(input.mouseX);
    const auto mouseY = static_cast<float>(input.mouseY);
    if (mouseX < box.left || mouseX > box.left + box.width || mouseY < box.top || mouseY > box.top + box.height) {
        return false;
    }
    hovered = 1;
    return true;
}

void MouseChangeObject2D::Draw(int update) {
    if (update != 0) {
        if (!hovered) {
            alpha = 255;
        }
        if (blinking) {
            // Two frames shown, two hidden.
            blinkPhase += 0.5;
            alpha = (static_cast<long long>(blinkPhase) % 2 != 0) ? 0 : 255;
        }
        if (hovered) {
            angle += spin;
            StepPulse();
        }
        StepScroll();
        BuildVertices();
    }
    DrawQuad();
    hovered = 0;
}
