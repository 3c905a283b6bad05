#include "app/GameScenes.h"

#include <algorithm>
#include <iterator>

#include "scene/SceneTitle.h"
#include "scene/game/GameMain.h"

std::unique_ptr<Scene> MakeTitleScene() { return std::make_unique<SceneTitle>(); }

std::unique_ptr<Scene> MakeGameScene(const SceneRequest& request) {
    field::StageRequest stage;
    stage.stage = static_cast<int>(request.stage);
    stage.difficulty = static_cast<int>(request.difficulty);
    stage.character = static_cast<int>(request.character);
    std::copy(std::begin(request.options), std::end(request.options), stage.options.begin());
    stage.saves = request.saves;
    return std::make_unique<GameMain>(stage);
}
