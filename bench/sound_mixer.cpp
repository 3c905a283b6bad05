// How long the audio callback spends mixing: one callback's worth of frames (1024) with a number
// of effects playing, at the output rate and resampled.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio/Mixer.h"
#include "audio/SoundBuffer.h"

namespace {

void MixPlayingEffects(benchmark::State& state) {
    const auto effects = static_cast<int>(state.range(0));
    const auto rate = static_cast<std::uint32_t>(state.range(1));
    audio::Mixer mixer(44100);
    audio::WaveFormat format;
    format.formatTag = audio::kWaveFormatPcm;
    format.channels = 2;
    format.bitsPerSample = 16;
    format.samplesPerSec = rate;
    format.blockAlign = 4;
    format.avgBytesPerSec = rate * 4;
    std::vector<std::unique_ptr<audio::SoundBuffer>> buffers;
    const std::vector<std::uint8_t> noise(rate * 4, 0x35);
    for (int i = 0; i < effects; ++i) {
        buffers.push_back(mixer.CreateBuffer(format, static_cast<std::uint32_t>(noise.size())));
        buffers.back()->Write(0, noise.data(), static_cast<std::uint32_t>(noise.size()));
        buffers.back()->Play(true);
    }
    std::vector<std::int16_t> out(1024 * 2);
    for (auto _ : state) {
        mixer.Mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}

BENCHMARK(MixPlayingEffects)->Args({1, 44100})->Args({8, 44100})->Args({8, 22050})->Args({32, 22050});

}  // namespace

BENCHMARK_MAIN();
