#include "tower/TowerExplosions.h"

#include <algorithm>

#include "gfx/RenderPresets.h"
#include "tower/TowerAssets.h"

namespace {

void Paint(Sprite& sprite, TowerExplosions::Tint tint) {
    sprite.red = tint.red;
    sprite.green = tint.green;
    sprite.blue = tint.blue;
    sprite.BuildVertices();
}

}  // namespace

void TowerExplosions::Add(gfx::Device* device, TowerAssets& assets, float x, float y, float size, Tint tint,
                          const char* core, const char* ring) {
    auto effect = std::make_unique<EffectExplosionCircle>();
    effect->Init(device, assets.Texture("explosion.png"), assets.Texture(core), assets.Texture(ring), x, y, size);
    Paint(effect->explosion, tint);
    Paint(effect->rings[0], tint);
    Paint(effect->rings[1], tint);
    Paint(effect->core, tint);
    effects_.push_back(std::move(effect));
}

void TowerExplosions::Update(gfx::Device* device, bool running) {
    if (effects_.empty()) {
        return;
    }
    SetAdditiveStates(device);
    for (const auto& effect : effects_) {
        effect->Update(running ? 1 : 0);
    }
    SetAlphaBlendStates(device);
    std::erase_if(effects_, [](const auto& effect) { return effect->alive == 0; });
}
