// The start-up load of the game as built: every image of the graphics pack decoded into a
// texture, every sound effect of the effect pack parsed, and the check that every required asset
// and music track is there, into a fresh registry each time.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "audio/DirectSound.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FileClass.h"
#include "resource/PackNames.h"

namespace {

void StartUpLoad(benchmark::State& state) {
    gfx::SoftwareDevice device(nullptr);
    bool valid = true;
    for (auto _ : state) {
        FileClass registry;
        registry.LoadTexturePack(pack::kGraphicsPack, &device);
        registry.LoadSoundPack(pack::kEffectPack);
        valid = registry.ValidateAssets() && valid;
    }
    if (!valid) {
        state.SkipWithError("the packs are incomplete");
    }
}
BENCHMARK(StartUpLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The packs are found, as the game finds them, in the current folder: the build's game folder.
    std::filesystem::current_path(VELMORIA_GAME_DIR);
    InitDirectSound(SoundOutput::Null);
    benchmark::RunSpecifiedBenchmarks();
    ShutdownDirectSound();
    benchmark::Shutdown();
    return 0;
}
