// The synthetic battle frame drawn through the software device: the same layers, sprites,
// rotated additive quads and fade as the SDL and OpenGL yardsticks, so the numbers compare.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "gfx/QuadVertex.h"
#include "gfx/RenderPresets.h"
#include "gfx/SoftwareDevice.h"

namespace {

// Random colours with one texel in seven fully transparent, from the yardsticks' generator.
std::unique_ptr<gfx::Texture> MakeTexture(gfx::Device& device, int width, int height, unsigned seed) {
    std::unique_ptr<gfx::Texture> texture = device.CreateTexture(width, height);
    std::uint32_t* texels = texture->Lock();
    unsigned x = seed;
    for (int i = 0; i < width * height; ++i) {
        x = x * 214013u + 2531011u;
        const std::uint32_t alpha = i % 7 == 0 ? 0 : 0xFF;
        texels[i] = alpha << 24 | ((x >> 8) & 0xFFFFFF);
    }
    texture->Unlock();
    return texture;
}

class BattleFrame {
public:
    BattleFrame(std::uint32_t filter, gfx::SoftwareDevice::Threads threads)
        : device_(nullptr, gfx::BestInstructionSet(), threads), filter_(filter) {
        big_ = MakeTexture(device_, 512, 512, 1);
        frame_ = MakeTexture(device_, 1024, 512, 2);
        sprite_ = MakeTexture(device_, 128, 256, 3);
        bullet_ = MakeTexture(device_, 128, 128, 4);
        glow_ = MakeTexture(device_, 128, 128, 5);
    }

    void Draw(int f) {
        constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
        device_.Clear(0xFF000000u, 1.0f, 0);
        device_.BeginScene();
        device_.SetFVF(kQuadVertexFormat);
        SetBaseStates(&device_);
        for (int stage = 0; stage < 2; ++stage) {
            device_.SetSamplerState(stage, gfx::SamplerState::MinFilter, filter_);
            device_.SetSamplerState(stage, gfx::SamplerState::MagFilter, filter_);
        }
        SetAlphaBlendStates(&device_);
        Quad(big_.get(), 224, 224, 512, 512, 0, kWhite);
        Quad(big_.get(), 224, 224, 512, 512, 0, kWhite);
        Quad(big_.get(), 224, 224, 512, 512, 0, 0x96FFFFFFu);
        Quad(frame_.get(), 320, 240, 640, 480, 0, kWhite);
        Quad(frame_.get(), 544, 240, 192, 480, 0, kWhite);
        for (int i = 0; i < 150; ++i) {
            Quad(sprite_.get(), 40 + (i * 37 + f) % 380, 40 + (i * 53) % 380, 32, 32, 0, kWhite);
        }
        for (int i = 0; i < 120; ++i) {
            Quad(sprite_.get(), 48 + (i * 16) % 352, 48 + (i / 22) * 32, 32, 32, 0, kWhite);
        }
        SetAdditiveStates(&device_);
        for (int i = 0; i < 300; ++i) {
            Quad(glow_.get(), 40 + (i * 29 + 2 * f) % 380, 40 + (i * 31) % 380, 16, 16, 0.1f * i + 0.05f * f, kWhite);
        }
        SetAlphaBlendStates(&device_);
        for (int i = 0; i < 40; ++i) {
            Quad(bullet_.get(), 470 + (i % 5) * 30, 100 + (i / 5) * 40, 48, 16, 0, kWhite);
        }
        Quad(big_.get(), 320, 240, 640, 480, 0, 0xC8000000u);
        device_.EndScene();
        device_.Present();
    }

    // Pixels the quads of one frame cover, clipped to the frame (the rotated ones lie inside).
    static double PixelsPerFrame() {
        const auto clipped = [](double cx, double cy, double w, double h) {
            const double x = std::min(cx + w / 2, 640.0) - std::max(cx - w / 2, 0.0);
            const double y = std::min(cy + h / 2, 480.0) - std::max(cy - h / 2, 0.0);
            return std::max(x, 0.0) * std::max(y, 0.0);
        };
        return 3 * clipped(224, 224, 512, 512) + 2 * clipped(320, 240, 640, 480) + clipped(544, 240, 192, 480) +
               270 * 32 * 32 + 300 * 16 * 16 + 40 * 48 * 16;
    }

private:
    void Quad(gfx::Texture* texture, float cx, float cy, float w, float h, float angle, std::uint32_t colour) {
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        const float px[4] = {-w / 2, w / 2, -w / 2, w / 2};
        const float py[4] = {-h / 2, -h / 2, h / 2, h / 2};
        QuadVertex vertices[4];
        for (int i = 0; i < 4; ++i) {
            vertices[i] = {cx + px[i] * c - py[i] * s, cy + px[i] * s + py[i] * c, 0.0f, 1.0f, colour,
                           static_cast<float>(i % 2), static_cast<float>(i / 2)};
        }
        device_.SetTexture(0, texture);
        device_.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, vertices, sizeof(QuadVertex));
        device_.SetTexture(0, nullptr);
    }

    gfx::SoftwareDevice device_;
    std::uint32_t filter_;
    std::unique_ptr<gfx::Texture> big_;
    std::unique_ptr<gfx::Texture> frame_;
    std::unique_ptr<gfx::Texture> sprite_;
    std::unique_ptr<gfx::Texture> bullet_;
    std::unique_ptr<gfx::Texture> glow_;
};

// Arguments: the filter, 1 = point (as the SDL yardstick samples), 2 = linear (as the game draws);
// the threads the device draws with, 1 or 2 (the frame drawn in bands of rows). Wall-clock time is
// the figure: with two threads the CPU time shown is the calling thread's alone.
void BM_BattleFrame(benchmark::State& state) {
    BattleFrame frame(static_cast<std::uint32_t>(state.range(0)),
                      state.range(1) == 2 ? gfx::SoftwareDevice::Threads::Two : gfx::SoftwareDevice::Threads::One);
    int f = 0;
    for (auto _ : state) {
        frame.Draw(f++);
    }
    state.counters["pixels/s"] =
        benchmark::Counter(BattleFrame::PixelsPerFrame() * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BattleFrame)
    ->ArgsProduct({{gfx::TEXF_POINT, gfx::TEXF_LINEAR}, {1, 2}})
    ->ArgNames({"filter", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
