#include "app/BotReplay.h"

#include <algorithm>

#include "app/BattleReplay.h"
#include "app/InputTrace.h"
#include "base/Random.h"
#include "scene/bot/BattleView.h"

namespace {

SceneRequest SceneRequestOf(const field::StageRequest& request) {
    SceneRequest scene;
    scene.target = SceneCode::Game;
    scene.stage = static_cast<std::uint32_t>(request.stage);
    scene.difficulty = static_cast<std::uint32_t>(request.difficulty);
    scene.character = static_cast<std::uint32_t>(request.character);
    std::copy(request.options.begin(), request.options.end(), scene.options);
    return scene;
}

field::StageRequest StageRequestOf(const Replay& replay) {
    field::StageRequest request;
    request.stage = static_cast<int>(replay.stage);
    request.difficulty = static_cast<int>(replay.difficulty);
    request.character = static_cast<int>(replay.character);
    request.options = replay.options;
    request.saves = CSaveFile::Access::ReadOnly;  // a replay played back keeps no records
    return request;
}

// Records what the battle's frames saw, as the game records a player's battle.
class Recorder final : public bot::InputWatcher {
public:
    explicit Recorder(const field::StageRequest& request) : request_(SceneRequestOf(request)) {}

    void Started(std::uint32_t loaderRandom, std::uint32_t battleRandom, const SceneContext& before) override {
        recorder_.Begin(request_, loaderRandom, battleRandom, InputSnapshot::Of(before));
    }
    void Frame(const SceneContext& input) override { recorder_.Frame(InputSnapshot::Of(input)); }
    Replay Finish(const bot::BattleOutcome& outcome) { return recorder_.Finish(ResultOf(outcome)); }

private:
    SceneRequest request_;
    ReplayRecorder recorder_;
};

}  // namespace

Replay::Result ResultOf(const bot::BattleOutcome& outcome) {
    return {outcome.score, outcome.lives, outcome.wavesStarted};
}

RecordedBattle PlayAndRecord(gfx::Device* device, const field::StageRequest& request, const char* strategy,
                             std::ostream* progress, int frameLimit) {
    Recorder recorder(request);
    RecordedBattle battle;
    battle.outcome = bot::PlayBattle(device, request, strategy, progress, frameLimit, &recorder);
    battle.replay = recorder.Finish(battle.outcome);
    return battle;
}

std::optional<RecordedBattle> PlayIntoFullFlow(gfx::Device* device, int character, bot::FullFlow::Ending ending,
                                               int frameLimit, std::string& lacking) {
    const field::StageRequest request = bot::FullFlow::Request(character);
    Recorder recorder(request);
    bot::HeadlessBattle battle(device, request, Random::State(), &recorder);
    bot::FullFlow flow(ending);
    if (!flow.Play(battle, frameLimit)) {
        lacking = flow.Lacking(bot::BattleView(battle.Game()));
        return std::nullopt;
    }
    const bot::BattleOutcome outcome = battle.Outcome();
    return RecordedBattle{outcome, recorder.Finish(outcome)};
}

// As the game plays a replay back: the battle built from the loader's random state, what was
// held before its first frame given a step at a time, then from the first frame the battle's
// random state and the input of each frame.
bot::BattleOutcome PlayBack(gfx::Device* device, const Replay& replay) {
    const ReplayPlayer player(replay);
    bot::HeadlessBattle battle(device, StageRequestOf(replay), replay.loaderRandom);
    for (std::uint32_t step = 1; step <= player.PreludeSteps(); ++step) {
        player.DeliverPrelude(step);
        battle.ReadInput();
    }
    Random::Seed(replay.battleRandom);
    for (std::uint32_t frame = 1; frame <= replay.frames; ++frame) {
        player.Deliver(frame);
        battle.Frame();
    }
    return battle.Outcome();
}
