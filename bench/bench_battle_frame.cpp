// One battle frame without drawing: the corridor at lunatic with forty towers, four of every
// kind, and about two hundred enemies on the field. The battle is played into that state through
// the scene's own input, as a player would, and rebuilt whenever it drifts out of it.
#include <benchmark/benchmark.h>

#include "scene/GameHarness.h"
#include "field/StageTable.h"

namespace {

constexpr int kKinds = 10;
constexpr int kTowersPerKind = 4;
constexpr std::size_t kCrowd = 200;
constexpr std::size_t kThinnedOut = 150;
constexpr int kWaveCallEvery = 30;
constexpr int kLongestSetUp = 6000;

field::StageRequest RichLunaticCorridor(int character) {
    field::StageRequest request;
    request.stage = 0;
    request.difficulty = field::kLunatic;
    request.character = character;
    request.options[field::kOptionRichStart] = 1;
    return request;
}

std::size_t EnemiesOf(GameHarness& harness) { return harness.Game().Field()->Enemies().size(); }

std::size_t TowersOf(GameHarness& harness) {
    std::size_t towers = 0;
    for (int kind = 1; kind <= kKinds; ++kind) {
        towers += harness.Game().Controller()->Towers(kind).size();
    }
    return towers;
}

// Lines the corridor's route with the towers, kind after kind, on the plots the field accepts,
// then starts the stage and calls waves until the crowd is there. False if it never came.
bool PlayIntoACrowd(GameHarness& harness, int character) {
    harness.Open(RichLunaticCorridor(character));
    harness.Frames(2);
    int kind = 1;
    int placedOfKind = 0;
    for (const int y : {176, 272, 144, 304, 112, 336}) {
        for (int x = 48; x <= 400 && kind <= kKinds; x += 32) {
            if (harness.Game().Field()->PlotRefused(x, y)) {
                continue;
            }
            harness.Place(kind, x, y);
            if (++placedOfKind == kTowersPerKind) {
                ++kind;
                placedOfKind = 0;
            }
        }
    }
    harness.PressKey(kKeyD);
    for (int frame = 0; frame < kLongestSetUp; ++frame) {
        if (EnemiesOf(harness) >= kCrowd) {
            return true;
        }
        if (frame % kWaveCallEvery == 0) {
            harness.PressKey(kKeyN);
        } else {
            harness.Frame();
        }
        if (harness.Game().Failed() || harness.Game().Cleared()) {
            return false;
        }
    }
    return false;
}

void BattleFrame(benchmark::State& state) {
    const int character = static_cast<int>(state.range(0));
    GameHarness harness;
    if (!PlayIntoACrowd(harness, character)) {
        state.SkipWithError("the battle never reached its crowd");
        return;
    }
    std::size_t enemiesSeen = 0;
    std::size_t rebuilds = 0;
    for (auto _ : state) {
        harness.Frame();
        enemiesSeen += EnemiesOf(harness);
        if (EnemiesOf(harness) < kThinnedOut || harness.Game().Failed() || harness.Game().Cleared()) {
            state.PauseTiming();
            harness.Close();
            ++rebuilds;
            if (!PlayIntoACrowd(harness, character)) {
                state.SkipWithError("the battle never reached its crowd again");
                break;
            }
            state.ResumeTiming();
        }
    }
    state.counters["enemies"] = benchmark::Counter(static_cast<double>(enemiesSeen), benchmark::Counter::kAvgIterations);
    state.counters["towers"] = static_cast<double>(TowersOf(harness));
    state.counters["rebuilds"] = static_cast<double>(rebuilds);
}
BENCHMARK(BattleFrame)->ArgName("character")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
