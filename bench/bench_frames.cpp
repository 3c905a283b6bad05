// The frames the game really draws, replayed call by call through the software device from the
// recordings bench/frames/record makes (`cmake --build build --target bench_frames_record`).
// Every NAME.frame of the folder is drawn with each instruction set this processor runs, as
// RecordedFrame/NAME/SET/threads:N, with one thread and with two (the frame drawn in bands of
// rows); wall-clock time is the figure. The folder is the build's bench/frames unless given as the
// first argument after Google Benchmark's own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gfx/FrameRecording.h"
#include "gfx/SoftwareDevice.h"

namespace {

// The sets' names: WebAssembly runs the SSE2 routines as its own 128-bit SIMD instructions.
constexpr struct {
    gfx::InstructionSet set;
    const char* name;
} kInstructionSets[] = {
    {gfx::InstructionSet::Avx2, "avx2"},
#if defined(__wasm_simd128__)
    {gfx::InstructionSet::Sse2, "simd128"},
#else
    {gfx::InstructionSet::Sse2, "sse2"},
#endif
    {gfx::InstructionSet::Plain, "plain"},
};

void ReplayFrame(benchmark::State& state, const std::shared_ptr<const gfx::FrameRecording>& recording,
                 gfx::InstructionSet set) {
    gfx::SoftwareDevice device(nullptr, set,
                               state.range(0) == 2 ? gfx::SoftwareDevice::Threads::Two : gfx::SoftwareDevice::Threads::One);
    const std::vector<std::unique_ptr<gfx::Texture>> textures = recording->MakeTextures(device);
    for (auto _ : state) {
        recording->Play(device, textures);
        benchmark::DoNotOptimize(device.Frame());
    }
    const auto draws = std::count_if(recording->Calls().begin(), recording->Calls().end(), [](const auto& call) {
        return call.kind == gfx::FrameRecording::CallKind::Draw;
    });
    state.counters["draws"] = static_cast<double>(draws);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::filesystem::path folder = argc > 1 ? argv[1] : VELMORIA_RECORDED_FRAMES;
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".frame") {
            files.push_back(entry.path());
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "bench_frames: no recorded frames in '%s'; make them with\n"
                             "  cmake --build BUILD --target bench_frames_record\n",
                     folder.c_str());
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        auto recording = std::make_shared<gfx::FrameRecording>();
        std::string reason;
        if (!recording->Load(file.string(), reason)) {
            std::fprintf(stderr, "bench_frames: %s\n", reason.c_str());
            return 1;
        }
        for (const auto& [set, name] : kInstructionSets) {
            if (!gfx::Uses(gfx::BestInstructionSet(), set)) {
                continue;
            }
            benchmark::RegisterBenchmark(("RecordedFrame/" + file.stem().string() + "/" + name).c_str(), ReplayFrame,
                                         recording, set)
                ->ArgName("threads")
                ->Arg(1)
                ->Arg(2)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
