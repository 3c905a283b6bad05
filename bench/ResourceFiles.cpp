#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "../tests/support/TempDir.h"  // the private working folder the tests use
#include "base/Random.h"
#include "field/FilePackEnemyParamLoad.h"
#include "resource/FilePackLoad.h"
#include "resource/PackWriter.h"
#include "resource/SaveFile.h"
#include "resource/WaveData.h"

// Reading pack directories, wave data and the save file, and writing the save file. Each runs
// in a private folder that is the working directory.

namespace {

// A pack shaped like the image pack: entries of a few kilobytes under short names.
void WritePack(const char* path, int entries) {
    std::vector<pack::Entry> list;
    for (int i = 0; i < entries; ++i) {
        list.push_back({"entry_" + std::to_string(i) + ".png", std::vector<std::uint8_t>(4096, 0x5A), 0});
    }
    std::string error;
    pack::WritePackFile(path, list, 0x6B3D2A51u, error);
}

void OpenPack(benchmark::State& state) {
    ScopedTempDir folder;
    WritePack("bench.dat", static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CFilePackLoad pack;
        pack.Open("bench.dat");
        benchmark::DoNotOptimize(pack.Entries().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(OpenPack)->Arg(100)->Arg(1000);

void ReadPackEntry(benchmark::State& state) {
    ScopedTempDir folder;
    WritePack("bench.dat", 200);
    CFilePackLoad pack;
    pack.Open("bench.dat");
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        pack.ReadEntry("entry_150.png", bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * 4096);
}
BENCHMARK(ReadPackEntry);

void OpenWaveData(benchmark::State& state) {
    ScopedTempDir folder;
    // Sixteen stage keys of forty waves each, about what the game ships.
    std::vector<waves::Stage> stages;
    for (int i = 0; i < 16; ++i) {
        stages.push_back({"stage_" + std::to_string(i), 300, std::vector<waves::Wave>(40, waves::Wave{1, 120, 3})});
    }
    std::vector<std::uint8_t> bytes;
    std::string error;
    waves::BuildWaveData(stages, 0x2C91E4B7u, bytes, error);
    std::FILE* file = std::fopen("wbk_a.dat", "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    for (auto _ : state) {
        CFilePackEnemyParamLoad loader;
        loader.Open("wbk_a.dat");
        benchmark::DoNotOptimize(loader.StartPoints("stage_3"));
    }
}
BENCHMARK(OpenWaveData);

void LoadSaveFile(benchmark::State& state) {
    ScopedTempDir folder;
    CSaveFile first;  // writes the default file
    for (auto _ : state) {
        CSaveFile save;
        benchmark::DoNotOptimize(save.settings[CSaveFile::kMusicVolume]);
    }
}
BENCHMARK(LoadSaveFile);

// The whole rewrite: random fill, scrambling, the temporary file with its flush, the rename.
void SaveSaveFile(benchmark::State& state) {
    ScopedTempDir folder;
    Random::Seed(1);
    CSaveFile save;
    for (auto _ : state) {
        benchmark::DoNotOptimize(save.Save(0, 1, 0, CSaveFile::kNoOptions, 1000));
    }
    state.SetBytesProcessed(state.iterations() * CSaveFile::kFileSize);
}
BENCHMARK(SaveSaveFile);

}  // namespace

BENCHMARK_MAIN();
