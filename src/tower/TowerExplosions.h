#pragma once
#include <memory>
#include <vector>

#include "effect/EffectExplosionCircle.h"

class TowerAssets;
namespace gfx {
class Device;
}

// The explosions a tower's shots set off. They are drawn additively over the field with the
// tower's shots, and each is removed once its animation has run.
class TowerExplosions {
public:
    struct Tint {
        int red;
        int green;
        int blue;
    };
    // An explosion of size x size at the point from "explosion.png", with the given core and ring
    // pictures, tinted.
    void Add(gfx::Device* device, TowerAssets& assets, float x, float y, float size, Tint tint, const char* core,
             const char* ring);
    // Advances (when running) and draws every explosion, then drops the finished ones.
    void Update(gfx::Device* device, bool running);

    const std::vector<std::unique_ptr<EffectExplosionCircle>>& All() const { return effects_; }

private:
    std::vector<std::unique_ptr<EffectExplosionCircle>> effects_;
};
