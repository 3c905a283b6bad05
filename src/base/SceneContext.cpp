#include "base/SceneContext.h"

#include <algorithm>

void SceneContext::SetMouse(std::int32_t x, std::int32_t y) {
    mouseX = std::clamp(x, 0, kMouseMaxX);
    mouseY = std::clamp(y, 0, kMouseMaxY);
}
