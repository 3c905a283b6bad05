// What one shown frame of a busy battle costs at x1, x2 and x4: at xN the battle runs N frames,
// the first N - 1 through a closed draw gate (every state, no drawing) and the last drawn on the
// software device, the way the game's fast-forward does it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "app/SceneFrame.h"
#include "audio/DirectSound.h"
#include "base/Random.h"
#include "base/SceneContext.h"
#include "gfx/Direct3D.h"
#include "gfx/DrawGate.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FileClass.h"
#include "resource/PackNames.h"
#include "scene/game/GameMain.h"

namespace {

// A battle on the first stage with towers placed and every wave called: enemies walk, towers shoot.
class BusyBattle {
public:
    explicit BusyBattle(gfx::Device* device) : device_(device) { Open(); }

    void Frame() { DrawSceneFrame(game_.get(), context_); }

    // Starts again once the stage is over, so every timed frame is one of a running battle.
    void KeepRunning() {
        if (game_->Cleared() || game_->Failed()) {
            Open();
        }
    }

private:
    void Open() {
        Random::Seed(3);
        game_ = std::make_unique<GameMain>(field::StageRequest{});
        game_->Init(device_);
        context_ = SceneContext{};
        context_.sceneCode = SceneCode::Game;
        const int plots[][2] = {{112, 176}, {176, 304}, {240, 112}, {304, 240}};
        for (const auto& plot : plots) {
            Press(kKey1);
            Click(plot[0], plot[1]);
            Press(kKeyD);
        }
        for (int wave = 0; wave < 6; ++wave) {
            Press(kKeyN);
            for (int i = 0; i < 30; ++i) {
                Step();
            }
        }
    }
    void Step() {
        Frame();
        context_.SetButtons(0, 0);
        for (int key = 0; key < kWatchedKeyCount; ++key) {
            context_.SetKey(key, 0);
        }
    }
    void Press(int key) {
        context_.SetKey(key, 1);
        Step();
    }
    void Click(int x, int y) {
        context_.SetMouse(x, y);
        Step();
        context_.SetButtons(1, 0);
        Step();
    }

    gfx::Device* device_;
    std::unique_ptr<GameMain> game_;
    SceneContext context_;
};

void ShownBattleFrame(benchmark::State& state) {
    const int speed = static_cast<int>(state.range(0));
    gfx::HeadlessFrameSink frames;
    auto gate = std::make_unique<gfx::DrawGate>(std::make_unique<gfx::SoftwareDevice>(&frames));
    gfx::DrawGate* door = gate.get();
    SetDirect3DDevice(std::move(gate));
    g_FileClass.LoadTexturePack(pack::kGraphicsPack, door);
    g_FileClass.LoadSoundPack(pack::kEffectPack);
    BusyBattle battle(door);
    for (auto _ : state) {
        for (int i = 0; i < speed; ++i) {
            door->SetOpen(i + 1 == speed);
            battle.Frame();
        }
        state.PauseTiming();
        battle.KeepRunning();
        state.ResumeTiming();
    }
    door->SetOpen(true);
    state.counters["shown"] = benchmark::Counter(static_cast<double>(frames.FramesShown()));
    ReleaseDirect3D();
}
BENCHMARK(ShownBattleFrame)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // A folder of its own for the battle's save file, with the packs of the game as built.
    char folder[] = "/tmp/velmoria-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    for (const char* name : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
        std::filesystem::create_symlink(std::filesystem::path(VELMORIA_GAME_DIR) / name,
                                        std::filesystem::path(folder) / name);
    }
    std::filesystem::current_path(folder);
    InitDirectSound(SoundOutput::Null);
    benchmark::RunSpecifiedBenchmarks();
    ShutdownDirectSound();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
