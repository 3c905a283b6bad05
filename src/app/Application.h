#pragma once
#include <functional>
#include <memory>

#include "app/CommandLine.h"
#include "app/Scene.h"
#include "app/SceneSwitcher.h"

// The pieces of the game the shell starts, runs and stops. Each is optional so that the shell
// can run (and be tested) before or without them.
struct GameParts {
    std::function<void(bool headless)> startSound;
    std::function<void()> startMusicThread;
    std::function<void()> stopMusic;
    std::function<std::unique_ptr<Scene>()> makeStartUp;
    std::function<std::unique_ptr<Scene>()> makeNowLoading;
    std::function<std::unique_ptr<Scene>()> makeTitle;
    std::function<std::unique_ptr<Scene>(const SceneRequest&)> makeGame;
};

// Start-up, the main loop and the exit, in the game's order. Returns the process exit code.
int RunGame(const LaunchOptions& options, const GameParts& parts);
