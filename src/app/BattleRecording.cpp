#include "app/BattleRecording.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/ShellKeys.h"
#include "base/FilePath.h"
#include "base/LogPutout.h"
#include "base/Random.h"
#include "input/ScanCodes.h"
#include "platform/QuitMessage.h"
#include "scene/game/GameMain.h"

namespace {

SceneRequest RequestOf(const SceneContext& context) {
    SceneRequest request;
    request.target = SceneCode::Game;
    request.stage = context.stage;
    request.difficulty = context.difficulty;
    request.character = context.character;
    std::copy(std::begin(context.options), std::end(context.options), request.options);
    return request;
}

// How the battle stands, as a replay records it; nothing when no battle runs.
std::optional<Replay::Result> BattleResult(const Scene* gameScene) {
    const auto* battle = dynamic_cast<const GameMain*>(gameScene);
    if (battle == nullptr) {
        return std::nullopt;
    }
    return Replay::Result{battle->StageScore(), battle->Counters().lives, battle->Counters().waveCount};
}

}  // namespace

void ShellKeysOnly::KeyChanged(int sdlScancode, bool down) {
    if (ShellKeys::Watches(input::ScanCodeFromSdl(sdlScancode))) {
        next_.KeyChanged(sdlScancode, down);
    }
}

void ShellKeysOnlyPad::Key(std::uint32_t scanCode, bool down) {
    if (ShellKeys::Watches(scanCode)) {
        next_.Key(scanCode, down);
    }
}

BattleRecording::BattleRecording(const Replay* replay, bool headless) : headless_(headless) {
    if (replay != nullptr) {
        player_.emplace(*replay);
    }
}

// The filter of what goes to system while a replay plays, made at the first asking.
template <typename Filter, typename Output>
Output& FilteredWhilePlaying(bool playing, std::optional<Filter>& filter, Output& system) {
    if (!playing) {
        return system;
    }
    if (!filter) {
        filter.emplace(system);
    }
    return *filter;
}

platform::WindowEvents& BattleRecording::Events(platform::WindowEvents& system) {
    return FilteredWhilePlaying(Playing(), replayEvents_, system);
}

input::PadOutput& BattleRecording::PadOutput(input::PadOutput& system) {
    return FilteredWhilePlaying(Playing(), replayPad_, system);
}

void BattleRecording::BattleBuilding() {
    if (player_) {
        Random::Seed(player_->Recorded().loaderRandom);
    }
    loaderRandom_.store(Random::State());
}

void BattleRecording::AfterSceneFrame(bool startUpFrame, SceneContext& context) {
    if (!player_ || replayStarted_ || !startUpFrame || context.sceneCode != SceneCode::Title) {
        return;
    }
    const Replay& replay = player_->Recorded();
    replayStarted_ = true;
    context.stage = replay.stage;
    context.difficulty = replay.difficulty;
    context.character = replay.character;
    std::copy(replay.options.begin(), replay.options.end(), context.options);
    context.sceneCode = SceneCode::Game;
    context.transitionMode = TransitionMode::Leaving;
}

void BattleRecording::BattleFrame(SceneContext& context, const std::function<void()>& readDevices) {
    ++battleFrames_;
    if (battleFrames_ == 1) {
        if (player_) {
            Random::Seed(player_->Recorded().battleRandom);
            for (std::uint32_t step = 1; step <= player_->PreludeSteps(); ++step) {
                player_->DeliverPrelude(step);
                readDevices();
            }
        } else {
            recorder_.Begin(RequestOf(context), loaderRandom_.load(), Random::State(), inputBefore_);
        }
    }
    if (player_) {
        player_->Deliver(battleFrames_);
        readDevices();
    } else if (recorder_.Recording()) {
        recorder_.Frame(InputSnapshot::Of(context));
    }
}

std::uint32_t BattleRecording::FramesLeft() const {
    if (!player_ || battleFrames_ == 0 || player_->Recorded().frames <= battleFrames_) {
        return 0;
    }
    return player_->Recorded().frames - battleFrames_;
}

void BattleRecording::AfterStep(const SceneContext& context, const Scene* gameScene) {
    if (battleFrames_ == 0) {
        return;
    }
    if (context.transitionMode == TransitionMode::Leaving || (player_ && battleFrames_ >= player_->Recorded().frames)) {
        EndBattle(gameScene);
    } else if (recorder_.Recording() && battleFrames_ >= Replay::kMaxFrames) {
        // A battle left running for over a day keeps the replay of its first day, the most a
        // replay holds; the rest of it is not recorded.
        if (const std::optional<Replay::Result> result = BattleResult(gameScene)) {
            KeepReplay(*result);
        }
    }
}

void BattleRecording::EndRun(const Scene* gameScene) {
    if (battleFrames_ > 0) {
        EndBattle(gameScene);
    }
}

void BattleRecording::EndBattle(const Scene* gameScene) {
    battleFrames_ = 0;
    const std::optional<Replay::Result> ended = BattleResult(gameScene);
    if (!ended) {
        return;
    }
    const Replay::Result& result = *ended;
    if (headless_ || player_) {
        std::printf("score %d, lives %d, wave %d\n", result.score, result.lives, result.wave);
        std::fflush(stdout);
    }
    if (player_) {
        const Replay::Result& recorded = player_->Recorded().result;
        const bool same = result == recorded;
        if (!same) {
            std::fprintf(stderr,
                         "velmoria: the replay did not end as it was recorded (score %d, lives %d, wave %d); "
                         "it does not show the recorded battle\n",
                         recorded.score, recorded.lives, recorded.wave);
        }
        platform::PostQuit(same ? 0 : 1);
        return;
    }
    if (recorder_.Recording()) {
        KeepReplay(result);
    }
}

void BattleRecording::KeepReplay(const Replay::Result& result) {
    std::filesystem::path path;
    std::string error;
    if (SaveReplay(recorder_.Finish(result), path, error)) {
        WriteLog(("リプレイを保存しました: " + Utf8Of(path)).c_str());
    } else {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
    }
}
