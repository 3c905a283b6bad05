#include "scene/guide/BattleGuide.h"

#include "base/SceneContext.h"
#include "field/TankObject.h"
#include "scene/game/GameMain.h"

namespace guide {

void BattleGuide::Init(gfx::Device* device) {
    maze_.Init(device);
    shop_.Init(device);
    alerts_.Init(device);
    hover_.Init(device);
    speed_.Init(device);
}

void BattleGuide::BeforeFrame(const GameMain& game, const SceneContext& input) {
    on_ = input.guides;
    if (on_) {
        alerts_.BeforeFrame(game, input);
    }
}

void BattleGuide::LifeLost(float x, float y) {
    if (on_) {
        alerts_.LifeLost(x, y);
    }
}

BattleHud::Emphasis BattleGuide::Emphasis(int lives) const {
    if (!on_) {
        return {};
    }
    return {alerts_.LivesShake(), alerts_.LivesAlarm(lives), alerts_.PointsAlarm()};
}

void BattleGuide::Draw(const GameMain& game, SceneContext& input) {
    if (!on_) {
        return;
    }
    const cBaseCharacter& controller = *game.Controller();
    alerts_.AfterFrame(game, input);
    maze_.Update(*game.Field(), controller.cursor, TankObject::IsInField(input.mouseX, input.mouseY));
    maze_.Draw();
    shop_.Draw(controller, game.Counters().points, input.padHints);
    hover_.Draw(controller, input, game.Request().options, game.Preparing());
    alerts_.Draw(input);
    speed_.Frame(input);
}

}  // namespace guide
