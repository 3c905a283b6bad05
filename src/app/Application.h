#pragma once
#include <functional>
#include <memory>

#include "app/CommandLine.h"
#include "app/ReplayFile.h"
#include "app/SceneSwitcher.h"
#include "input/InputScript.h"
#include "scene/Scene.h"

// The pieces of the game the shell starts, runs and stops. Each is optional so that the shell
// can run (and be tested) before or without them.
struct GameParts {
    std::function<void(bool headless)> startSound;
    std::function<void()> startMusicThread;
    std::function<void()> stopMusic;
    std::function<std::unique_ptr<Scene>(CSaveFile::Access saves)> makeStartUp;
    std::function<std::unique_ptr<Scene>()> makeNowLoading;
    std::function<std::unique_ptr<Scene>()> makeTitle;
    std::function<std::unique_ptr<Scene>(const SceneRequest&)> makeGame;
};

// Start-up, the main loop and the exit, in the game's order, with the script's input (an empty
// script for none). With a replay, the start-up leads straight into the recorded battle, which
// gets the recorded input and none of the player's but the shell's keys; the run ends when the
// battle has run its recorded frames. A replay's run writes neither save.dat (its scenes get
// read-only save data) nor settings.txt. Returns the process exit code.
int RunGame(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
            const Replay* replay = nullptr);
