#include "effect/EffectExplosionCircle.h"

#include "base/Random.h"

namespace {

constexpr int kSheetColumns = 8;
constexpr int kSheetRows = 2;
constexpr int kUpdatesPerFrame = 3;

float RandomAngle() { return static_cast<float>(Random::Next() % 628) / 100.0f; }

void InitGlow(Object2D& sprite, gfx::Device* device, gfx::Texture* texture, float x, float y, float size,
              float spin) {
    sprite.Create(device, texture, x, y, size, size);
    sprite.SetRotation(RandomAngle(), spin);
    sprite.SetAnimation(100, 2, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
}

}  // namespace

void EffectExplosionCircle::Init(gfx::Device* device, gfx::Texture* explosionSheet, gfx::Texture* coreTexture,
                                 gfx::Texture* ringTexture, float x, float y, float size) {
    explosion.Create(device, explosionSheet, x, y, size, size);
    for (int k = 0; k < kSheetColumns * kSheetRows; ++k) {
        const float column = static_cast<float>(k % kSheetColumns);
        const float row = static_cast<float>(k / kSheetColumns);
        explosion.AddFrame(column / kSheetColumns, (column + 1.0f) / kSheetColumns, row / kSheetRows,
                           (row + 1.0f) / kSheetRows, kUpdatesPerFrame);
    }
    explosion.loop = 0;
    explosion.SetRotation(RandomAngle(), 0.0f);
    explosion.Start();
    InitGlow(rings[0], device, ringTexture, x, y, size / 2.0f, 0.3f);
    InitGlow(rings[1], device, ringTexture, x, y, size / 2.0f, -0.3f);
    InitGlow(core, device, coreTexture, x, y, size / 2.0f, -0.1f);
}

void EffectExplosionCircle::Update(int update) {
    if (!alive) {
        return;
    }
    explosion.Draw(update);
    rings[0].Draw(update);
    rings[1].Draw(update);
    core.Draw(update);
    if (!explosion.alive) {
        alive = 0;
    }
}
