// Route rebuild cost on a crowded late-game field: the library at lunatic with as many towers as
// the routes allow and a few waves of enemies walking, which the stranding check visits.
#include <benchmark/benchmark.h>

#include <memory>

#include "field/Battlefield.h"
#include "field/StageTable.h"

namespace {

int towerCount = 0;

Battlefield& BusyField() {
    static const std::unique_ptr<Battlefield> field = [] {
        auto built = std::make_unique<Battlefield>(1, field::kLunatic);
        // Towers on every plot that keeps both routes open, tried in reading order.
        for (int y = 48; y <= 400; y += 32) {
            for (int x = 48; x <= 400; x += 32) {
                if (built->PlotRefused(x, y)) {
                    continue;
                }
                const Battlefield::Placement placement = built->ClosePlotForPlacement(x, y);
                if (built->BuildRoutes()) {
                    ++towerCount;
                } else {
                    built->UndoPlacement(placement);
                }
            }
        }
        constexpr EnemyKind kFairies[] = {EnemyKind::RedFairy, EnemyKind::BlueFairy, EnemyKind::GreenFairy,
                                          EnemyKind::YellowFairy};
        for (int wave = 1; wave <= 8; ++wave) {
            built->SpawnWave(nullptr, KindId(kFairies[wave % 4]), 100, 1, wave);
        }
        return built;
    }();
    return *field;
}

void BM_BuildRoutesBusyLunaticField(benchmark::State& state) {
    Battlefield& field = BusyField();
    for (auto _ : state) {
        benchmark::DoNotOptimize(field.BuildRoutes());
    }
    state.counters["enemies"] = static_cast<double>(field.Enemies().size());
    state.counters["towers"] = towerCount;
}
BENCHMARK(BM_BuildRoutesBusyLunaticField);

void BM_BuildRoutesEmptyEasyField(benchmark::State& state) {
    Battlefield field(0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(field.BuildRoutes());
    }
}
BENCHMARK(BM_BuildRoutesEmptyEasyField);

}  // namespace

BENCHMARK_MAIN();
