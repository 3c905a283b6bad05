#include "enemy/Enemy_Noctra.h"

#include <algorithm>

Enemy_Noctra::Enemy_Noctra(gfx::Device* device, int health, std::uint32_t reward, int route, int x, int y,
                           WalkLoad* load, int level, bool big)
    : Enemy({13, 0.9, "enemy_noctra.png"}, device, health, reward, route, x, y, load, level, big),
      maxShadowSize_((2 * std::clamp(level, 0, 50) + 100) * (big ? 2 : 1)),
      maxShadowAlpha_(big ? 250 : 210) {}

void Enemy_Noctra::OnRunningFrame() {
    // Grows by a pixel and an alpha step per frame while she lives; shrinks fast once she died.
    const int sizeStep = dead != 0 ? -5 : 1;
    const int alphaStep = dead != 0 ? -20 : 1;
    shadowSize_ = std::clamp(shadowSize_ + sizeStep, 0, maxShadowSize_);
    shadowAlpha_ = std::clamp(shadowAlpha_ + alphaStep, 0, maxShadowAlpha_);
}

void Enemy_Noctra::DrawOverlay(int /*update*/) {}
