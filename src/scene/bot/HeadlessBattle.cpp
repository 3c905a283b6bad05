#include "scene/bot/HeadlessBattle.h"

#include "base/SceneContext.h"
#include "scene/bot/Autoplayer.h"
#include "scene/bot/BattleView.h"
#include "scene/game/GameMain.h"

namespace bot {

void GiveAction(SceneContext& context, const Action& action) {
    switch (action.kind) {
        case Action::Kind::Move: context.SetMouse(action.x, action.y); break;
        case Action::Kind::ClickLeft: context.SetButtons(1, 0); break;
        case Action::Kind::Key: context.SetKey(action.key, 1); break;
    }
}

BattleOutcome PlayBattle(gfx::Device* device, const field::StageRequest& request, const char* strategy,
                         std::ostream* progress, int frameLimit) {
    GameMain game(request);
    game.Init(device);
    SceneContext context;
    context.sceneCode = SceneCode::Game;
    Autoplayer player(MakeStrategy(strategy), progress);
    BattleOutcome outcome;
    for (; outcome.frames < frameLimit && !game.Cleared() && !game.Failed(); ++outcome.frames) {
        if (const std::optional<Action> action = player.Step(game)) {
            GiveAction(context, *action);
        }
        game.Frame(device, context);
        context.ReleaseAll();
    }
    player.Step(game);
    const BattleView view(game);
    outcome.cleared = game.Cleared();
    outcome.finished = game.Cleared() || game.Failed();
    outcome.wave = view.Wave();
    outcome.waveCount = view.WaveCount();
    outcome.lives = view.Lives();
    outcome.points = view.Points();
    outcome.score = view.StageScore();
    return outcome;
}

}  // namespace bot
