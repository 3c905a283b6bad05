#pragma once
#include <vector>

#include "input/PadInput.h"
#include "object/Object2D.h"
#include "platform/GamePad.h"

class GameMain;
struct SceneContext;

namespace gfx {
class Device;
}
namespace platform {
class Window;
}

// The pad as the shell drives it: the pads plugged in (and the script's), turned into the
// pointer, clicks and keys the devices read, and the game's own pointer drawn while the pad
// drives it.
class PadControl {
public:
    // The pads are started in window mode; headless runs take the pad from scripts only.
    void Start(bool headless);
    void Stop() { pads_.Stop(); }

    // The pad's frame, into out before the devices are read. battle is the battle's scene while
    // one is shown; pointerFrame is false for the extra frames of fast-forward, as the sticks
    // move the pointer once per frame shown. The right stick's click locks on only when mayLockOn.
    void Feed(bool pointerFrame, const GameMain* battle, bool battleRunning, input::PadOutput& out, bool mayLockOn);
    // What the frame just run offered the d-pad.
    void TakePointerSpots(const SceneContext& context);
    // The desktop's pointer hides while the pad drives the game's own.
    void FollowDevice(platform::Window* window);
    // The game's own pointer, while the pad drives it.
    void DrawPointer(gfx::Device* device);

private:
    void LockOnNearest(const GameMain& battle, input::PadOutput& out);

    platform::GamePads pads_;
    bool padsStarted_ = false;
    input::PadPointer padPointer_;
    std::vector<input::PadPoint> pointerSpots_;  // what the last frame offered the d-pad
    Object2D cursor_;  // "cursor.png", whose tip is at (3, 2) of its 32 x 32
    bool cursorReady_ = false;
    bool systemCursorShown_ = true;
};
