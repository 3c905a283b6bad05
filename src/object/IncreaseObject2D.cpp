#include "object/IncreaseObject2D.h"

void IncreaseObject2D::SetLayout(float newSpacing, bool newHorizontal) {
    spacing = newSpacing;
    horizontal = newHorizontal ? 1 : 0;
}

void IncreaseObject2D::Draw(int update) {
    if (update != 0) {
        angle += spin;
        StepPulse();
        StepScroll();
    }
    // The icons are shown in white; only the alpha of the sprite carries over.
    const std::uint32_t colour = PackColour(alpha, 255, 255, 255);
    for (int i = 0; i < count; ++i) {
        const float offsetX = horizontal ? static_cast<float>(i) * (width + spacing) : 0.0f;
        const float offsetY = horizontal ? 0.0f : static_cast<float>(i) * (height + spacing);
        PlaceCorners(x + offsetX, y + offsetY);
        ApplyLook(colour);
        DrawQuad();
    }
}
