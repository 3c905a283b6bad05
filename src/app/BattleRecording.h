#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/BattleReplay.h"
#include "app/InputTrace.h"
#include "input/PadInput.h"
#include "platform/Window.h"
#include "resource/SaveFile.h"

class Scene;

// While a replay plays, the player's own input must not reach the battle: only the shell's keys
// pass, and the devices keep taking the recorded input whatever the window's focus does.
class ShellKeysOnly final : public platform::WindowEvents {
public:
    explicit ShellKeysOnly(platform::WindowEvents& next) : next_(next) {}
    void CursorMoved(int, int) override {}
    void ButtonChanged(int, bool) override {}
    void KeyChanged(int sdlScancode, bool down) override;
    void FocusChanged(bool) override {}

private:
    platform::WindowEvents& next_;
};

// The same for the pad: it may change the battle's speed or open the key list, nothing else.
class ShellKeysOnlyPad final : public input::PadOutput {
public:
    explicit ShellKeysOnlyPad(input::PadOutput& next) : next_(next) {}
    void Cursor(int& x, int& y) const override { next_.Cursor(x, y); }
    void MoveCursor(int, int) override {}
    void Button(std::uint32_t, bool) override {}
    void Key(std::uint32_t scanCode, bool down) override;

private:
    input::PadOutput& next_;
};

// The battle's recording, or the replay that plays instead: a battle the player plays is
// recorded frame by frame and kept in the replays folder when it ends; a replay leads from the
// start-up into its battle, gives it the recorded input and ends the run with the battle.
class BattleRecording {
public:
    // With a replay to play; headless runs (and replays) print the battle's result.
    BattleRecording(const Replay* replay, bool headless);

    bool Playing() const { return player_.has_value(); }
    // Watching a replay, one's own or another's, changes none of the player's files.
    CSaveFile::Access Saves() const { return Playing() ? CSaveFile::Access::ReadOnly : CSaveFile::Access::ReadWrite; }
    // Where the window's events and the pad's output go: while a replay plays, the shell's keys only.
    platform::WindowEvents& Events(platform::WindowEvents& system);
    input::PadOutput& PadOutput(input::PadOutput& system);

    // On the loader thread, as the battle is built: it is built from this thread's random
    // numbers, the recorded ones in a replay.
    void BattleBuilding();
    // After a scene's frame: a replay goes from the start-up, once everything is loaded,
    // straight into its battle, the way the title would send the player there.
    void AfterSceneFrame(bool startUpFrame, SceneContext& context);
    // The input of the frame before this one, as the devices are read again.
    void InputBefore(const SceneContext& context) { inputBefore_ = InputSnapshot::Of(context); }
    // Just before each frame of the battle, with this frame's input read: the recording takes
    // it; a replay puts the recorded input in its place, read through the devices once more.
    void BattleFrame(SceneContext& context, const std::function<void()>& readDevices);
    // The frames the replay's battle has yet to run; 0 when no replay's battle runs.
    std::uint32_t FramesLeft() const;
    // After each frame: the battle is over when it leaves, or, in a replay, when it has run the
    // frames that were recorded. gameScene is the battle's scene slot.
    void AfterStep(const SceneContext& context, const Scene* gameScene);
    // The run ends: a battle still running is over too, and its replay is kept.
    void EndRun(const Scene* gameScene);

private:
    void EndBattle(const Scene* gameScene);
    // Finishes the recording with the result and writes it into the replays folder.
    void KeepReplay(const Replay::Result& result);

    const bool headless_;
    std::optional<ReplayPlayer> player_;
    std::optional<ShellKeysOnly> replayEvents_;
    std::optional<ShellKeysOnlyPad> replayPad_;
    bool replayStarted_ = false;
    ReplayRecorder recorder_;
    InputSnapshot inputBefore_;                   // the input of the frame before the last read
    std::atomic<std::uint32_t> loaderRandom_{1};  // the random state the battle was built from
    std::uint32_t battleFrames_ = 0;              // frames the running battle has had
};
