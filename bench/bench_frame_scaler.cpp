// Enlarging one 640 x 480 frame into a window's pixels, as the game does when the display has no
// graphics processor to do it: a window of a whole multiple (x1 to x4), and a full screen of
// 1920 x 1080 whose picture (1440 x 1080) is no whole multiple of the frame.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/FrameScaler.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

void Enlarge(benchmark::State& state, int width, int height) {
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(kW) * kH);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
    }
    std::vector<std::uint32_t> window(static_cast<std::size_t>(width) * height);
    platform::FrameScaler scaler;
    for (auto _ : state) {
        scaler.Scale(frame.data(), kW, kH, window.data(), width, height, width);
        benchmark::DoNotOptimize(window.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(window.size() * sizeof(std::uint32_t)));
}

void BM_FrameScaler_Whole(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    Enlarge(state, kW * scale, kH * scale);
}
BENCHMARK(BM_FrameScaler_Whole)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_FrameScaler_FullScreen1080(benchmark::State& state) { Enlarge(state, 1920, 1080); }
BENCHMARK(BM_FrameScaler_FullScreen1080)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
