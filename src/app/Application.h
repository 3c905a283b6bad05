#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "app/CommandLine.h"
#include "app/FramePacer.h"
#include "app/ReplayFile.h"
#include "app/SceneSwitcher.h"
#include "input/InputScript.h"
#include "platform/Clock.h"
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

// How one pass of the main loop left the run: going on, after a pause the caller may wait out
// (the time until the next frame is due, or a breath after a frame or an event), or over, with
// the exit code.
struct LoopPass {
    enum class Outcome : std::uint8_t { GoOn, Ended };
    // The short wait after an event, a frame, or a pass with the window minimised.
    static constexpr std::uint32_t kBreathMs = 1;

    Outcome outcome = Outcome::GoOn;
    std::uint32_t pauseMs = 0;  // with GoOn
    int exitCode = 0;           // with Ended

    static LoopPass GoOn(std::uint32_t pauseMs = 0) { return {Outcome::GoOn, pauseMs, 0}; }
    static LoopPass Ended(int exitCode) { return {Outcome::Ended, 0, exitCode}; }
    bool GoesOn() const { return outcome == Outcome::GoOn; }
};

class Shell;

// One run of the game, driven a pass at a time by whoever owns the frames: the desktop's loop
// (RunGame) sleeps out each pass's pause; a caller woken once per frame by the platform calls
// Step at each wake instead, and a frame that is not yet due waits for a later one. No pass
// ever sleeps or blocks; scenes still loading are finished before the next frame, as headless.
class GameRun {
public:
    // With a replay, the start-up leads straight into the recorded battle, which gets the
    // recorded input and none of the player's but the shell's keys; the run ends when the
    // battle has run its recorded frames. A replay's run writes neither save.dat (its scenes
    // get read-only save data) nor settings.txt. The clock paces the frames, which the desktop's
    // loop sleeps for, or which come with the display's (FramePacer::Beats).
    GameRun(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
            const Replay* replay, platform::Clock& clock, FramePacer::Beats beats = FramePacer::Beats::Slept);
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    // Start-up in the game's order, up to the first pass; Ended when the run cannot start.
    LoopPass Open();
    // One pass of the main loop: the window's events, the wait for the frame's beat, and the
    // frame (one shown frame, of one or more game frames) with the files it keeps.
    LoopPass Step();
    // The passes one call of a platform that owns the frames runs: up to the first that asks for
    // a pause (the frame drawn, or not yet due) or ends the run, and never more than a few, so
    // that a run that never pauses (headless) still gives the thread back. The last pass.
    LoopPass Wake();
    // Exit in the game's order after the pass that ended the run (or the Open that failed); the
    // process's exit code.
    int Close(const LoopPass& end);

private:
    std::unique_ptr<Shell> shell_;
    bool opened_ = false;
};

// Start-up, the main loop and the exit, in the game's order, with the script's input (an empty
// script for none), on the desktop: passes one after the other, each pause slept. Returns the
// process exit code.
int RunGame(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
            const Replay* replay = nullptr);

// The same run where the platform owns the frames (a web page calls once a frame): starts it
// and returns; each call runs the passes due, the frames paced by the display's, and `ended`
// gets the exit code after the run is closed. What the run reads must outlive it.
void StartGameLoop(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
                   const Replay* replay, platform::Clock& clock, std::function<void(int exitCode)> ended);
