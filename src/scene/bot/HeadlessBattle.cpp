#include "scene/bot/HeadlessBattle.h"

#include "base/Random.h"
#include "input/DeviceBuffer.h"
#include "input/SceneInput.h"
#include "scene/bot/Autoplayer.h"
#include "scene/bot/BattleView.h"
#include "scene/game/GameMain.h"

namespace bot {

HeadlessBattle::HeadlessBattle(gfx::Device* device, const field::StageRequest& request, std::uint32_t loaderRandom,
                               InputWatcher* watcher)
    : device_(device), watcher_(watcher) {
    Random::Seed(loaderRandom);
    game_ = std::make_unique<GameMain>(request);
    game_->Init(device);
    context_.sceneCode = SceneCode::Game;
    input::SystemMouse().SetFocus(true);
    input::SystemKeyboard().SetFocus(true);
    mouse_.Init(&input::SystemMouse());
    keyboard_.Init(&input::SystemKeyboard());
    ReadInput();
    if (watcher_ != nullptr) {
        watcher_->Started(loaderRandom, Random::State(), context_);
    }
}

HeadlessBattle::~HeadlessBattle() {
    keyboard_.Release();
    mouse_.Release();
}

bool HeadlessBattle::Over() const { return game_->Cleared() || game_->Failed(); }

void HeadlessBattle::ReadInput() {
    mouse_.Update();
    keyboard_.Update();
    CopyInput(mouse_, keyboard_, context_);
}

void HeadlessBattle::Frame() {
    ReadInput();
    if (watcher_ != nullptr) {
        watcher_->Frame(context_);
    }
    game_->Frame(device_, context_);
    ++frames_;
}

BattleOutcome HeadlessBattle::Outcome() const {
    const BattleView view(*game_);
    BattleOutcome outcome;
    outcome.cleared = game_->Cleared();
    outcome.finished = Over();
    outcome.wave = view.Wave();
    outcome.waveCount = view.WaveCount();
    outcome.wavesStarted = game_->Counters().waveCount;
    outcome.lives = view.Lives();
    outcome.points = view.Points();
    outcome.score = view.StageScore();
    outcome.frames = frames_;
    return outcome;
}

BattleOutcome PlayBattle(gfx::Device* device, const field::StageRequest& request, const char* strategy,
                         std::ostream* progress, int frameLimit, InputWatcher* watcher) {
    HeadlessBattle battle(device, request, Random::State(), watcher);
    Autoplayer player(MakeStrategy(strategy), progress);
    for (int frame = 0; frame < frameLimit && !battle.Over(); ++frame) {
        player.Act(battle.Game());
        battle.Frame();
    }
    player.Report(battle.Game());  // the closing line
    return battle.Outcome();
}

}  // namespace bot
