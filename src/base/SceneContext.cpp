#include "base/SceneContext.h"

#include <algorithm>

void SceneContext::SetMouse(std::int32_t x, std::int32_t y) {
    mouseX = std::clamp(x, 0, kMouseMaxX);
    mouseY = std::clamp(y, 0, kMouseMaxY);
}

void SceneContext::AddPointerSpot(int x, int y) const {
    const PointerSpot spot{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    const auto end = pointerSpots.begin() + static_cast<std::ptrdiff_t>(pointerSpotCount);
    const bool known = std::any_of(pointerSpots.begin(), end,
                                   [&](const PointerSpot& other) { return other.x == spot.x && other.y == spot.y; });
    if (!known && pointerSpotCount < kMaxPointerSpots) {
        pointerSpots[pointerSpotCount++] = spot;
    }
}
