// Costs of the 2D object layer per frame: sprite placement, numbers, the life-game board and
// text rendering. Drawing goes to a device that discards everything, so only our own work counts.
#include <benchmark/benchmark.h>

#include "base/Random.h"
#include "effect/LifeGame.h"
#include "gfx/NullDevice.h"
#include "object/Object2D.h"
#include "object/SpriteNumber.h"
#include "object/TextTexture.h"

namespace {

// Draws nowhere, but keeps the compiler from dropping the vertices the objects build.
class DiscardingDevice final : public gfx::NullDevice {
public:
    void DrawPrimitiveUP(gfx::PrimitiveType, std::uint32_t, const void* vertices, std::uint32_t) override {
        benchmark::DoNotOptimize(vertices);
    }
};

void BM_SpinningSprite(benchmark::State& state) {
    DiscardingDevice device;
    Object2D sprite;
    sprite.Create(&device, nullptr, 100.0f, 100.0f, 32.0f, 16.0f);
    sprite.SetRotation(0.1f, 0.05f);
    sprite.SetAnimation(250, 5, 0.0f, 1.0f, 0.01f, 0.0f, 1.0f, 0.0f);
    for (auto _ : state) {
        sprite.Draw(1);
    }
}
BENCHMARK(BM_SpinningSprite);

void BM_AxisAlignedSprite(benchmark::State& state) {
    DiscardingDevice device;
    Object2D sprite;
    sprite.Create(&device, nullptr, 100.0f, 100.0f, 32.0f, 16.0f);
    for (auto _ : state) {
        sprite.Draw(1);
    }
}
BENCHMARK(BM_AxisAlignedSprite);

void BM_NumberWithShadow(benchmark::State& state) {
    DiscardingDevice device;
    SpriteNumber number;
    number.Init(&device, nullptr, 580.0f, 96.0f, 20.0f, 24.0f, -9.0f, 0);
    number.SetShadow(0.6f, 2.0f, 255, 120, 120, 120);
    int value = 0;
    for (auto _ : state) {
        number.DrawIntShadowed(value++ % 100000, false);
    }
}
BENCHMARK(BM_NumberWithShadow);

void BM_LifeGameGeneration(benchmark::State& state) {
    Random::Seed(1);
    LifeGame game;
    game.Init(360.0f, 24.0f);
    game.Randomise();
    for (auto _ : state) {
        game.Step();
        game.Commit();
    }
}
BENCHMARK(BM_LifeGameGeneration);

// A panel caption being re-rendered: what a text change costs.
void BM_TextLine(benchmark::State& state) {
    DiscardingDevice device;
    TextTexture text;
    text.Create(&device, 512, 256);
    for (auto _ : state) {
        text.Clear();
        text.SetFont("MSゴシック", 15);
        text.SetColour(0xFFFFFFFFu);
        text.Print(0, 0, "%s", "♪タイトル曲 — 風の丘を越えて Lv 12");
        text.ReleaseFont();
    }
}
BENCHMARK(BM_TextLine);

}  // namespace

BENCHMARK_MAIN();
