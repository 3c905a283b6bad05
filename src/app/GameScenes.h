#pragma once
#include <memory>

#include "app/SceneSwitcher.h"

// The title and the battle as the switcher's loader builds them.
std::unique_ptr<Scene> MakeTitleScene();
std::unique_ptr<Scene> MakeGameScene(const SceneRequest& request);
