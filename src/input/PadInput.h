#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/GamePad.h"

namespace input {

// Where the pad's input goes: the cursor, the mouse buttons and the keys the game reads, so that
// scenes, input traces and replays see nothing but a mouse and a keyboard.
class PadOutput {
public:
    virtual ~PadOutput() = default;
    virtual void Cursor(int& x, int& y) const = 0;
    virtual void MoveCursor(int x, int y) = 0;
    // 0 left, 1 right.
    virtual void Button(std::uint32_t button, bool down) = 0;
    // By DirectInput scan code.
    virtual void Key(std::uint32_t scanCode, bool down) = 0;
};

// Into the system mouse and keyboard and the cursor position, as the window's events go.
PadOutput& SystemPadOutput();

// The pad an input script holds (its "pad" lines), played together with any real controller.
platform::PadState& ScriptPad();

// Pad buttons and axes by the names SDL's mappings use ("a", "leftshoulder", "dpup", "leftx",
// "righttrigger", ...) or the short ones players know ("LB", "RT", "Up", "R3", ...), in any case.
bool PadButtonFromName(std::string_view name, platform::PadButton& button);
bool PadAxisFromName(std::string_view name, platform::PadAxis& axis);
inline bool IsTrigger(platform::PadAxis axis) {
    return axis == platform::PadAxis::LeftTrigger || axis == platform::PadAxis::RightTrigger;
}

// The device the player used last: hints name its buttons, and the game draws its own pointer
// while the pad drives the cursor.
enum class LastDevice { MouseAndKeys, Pad };
void NoteDevice(LastDevice device);
LastDevice LastUsedDevice();

struct PadPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PadPoint&) const = default;
};

// Spots the d-pad steps between on both axes: first, first + step, ... up to last.
struct PadLattice {
    int first = 0;
    int last = 0;
    int step = 1;
};

// How the sticks move the pointer. The left stick: no motion inside the dead zone (a radius of
// kDeadZone of full deflection); beyond it the deflection t = (r - kDeadZone) / (1 - kDeadZone)
// gives t² x the top speed, and the top speed grows from kStartSpeed by kAcceleration for every
// frame the stick stays out of the dead zone, up to kTopSpeed px per frame (there after 18
// frames). The right stick is the fine pointer: t x kFineSpeed px per frame, never faster.
// Fractions of a pixel add up from frame to frame.
namespace pad_curve {
constexpr float kDeadZone = 0.2f;
constexpr float kStartSpeed = 3.0f;
constexpr float kAcceleration = 0.5f;
constexpr float kTopSpeed = 12.0f;
constexpr float kFineSpeed = 1.0f;
// A d-pad direction held steps again after kRepeatDelay frames, then every kRepeatEvery.
constexpr int kRepeatDelay = 18;
constexpr int kRepeatEvery = 6;
// Without a spot that way, the d-pad moves the cursor this far.
constexpr int kPlainStep = 32;
// A trigger counts as pressed from kTriggerDown and let go below kTriggerUp.
constexpr float kTriggerDown = 0.5f;
constexpr float kTriggerUp = 0.3f;

// Pixels per frame for a deflection (0..1) held for framesHeld frames before this one.
float LeftSpeed(float deflection, int framesHeld);
float FineSpeed(float deflection);
}  // namespace pad_curve

// Turns one pad into the game's own input, a frame at a time:
//   left stick   the pointer, quick (pad_curve)      right stick  the pointer, fine
//   d-pad        the pointer to the next spot that way: a plot of the field, a button, an item
//   A            left button       B      right button and D (back, drop the selection)
//   X            U (upgrade)       Y      S (sell)
//   LB / RB      the previous / next shop entry (its key, 1..9, 0)
//   LT or RT     left Shift (replace)
//   Start        Space (pause menu)          Back  Tab (speed)        Guide  F1 (the key list)
//   right-stick click  asks the shell to lock on the enemy nearest the pointer
class PadPointer {
public:
    enum class Direction { Up, Down, Left, Right };

    // The spots the d-pad may step to in the coming frames.
    void SetSpots(std::vector<PadPoint> spots, std::optional<PadLattice> lattice);
    // The shop entry (0..9) the shoulders step from; -1 for none, then RB gives the first and LB
    // the last.
    void SetShopEntry(int entry) { shopEntry_ = entry; }
    int ShopEntry() const { return shopEntry_; }

    // One frame. Without pointerFrame (the extra frames of a fast-forwarded battle) the sticks
    // and a held d-pad leave the pointer alone, so it keeps its pace on screen; buttons, and the
    // d-pad's presses, still count.
    void Update(const platform::PadState& pad, PadOutput& out, bool pointerFrame = true);
    // The right stick's click went down this frame.
    bool LockOnAsked() const { return lockOnAsked_; }
    // Points at (x, y) and presses the left button; it goes up in the next Update.
    void ClickAt(int x, int y, PadOutput& out);
    // The pad was touched this frame: a button or trigger changed, or a stick left its dead zone.
    bool Touched() const { return touched_; }

    // Where the d-pad goes from a point: the nearest spot that way, weighing a step aside twice
    // as much as one ahead; without one, kPlainStep pixels that way, kept inside the frame.
    static PadPoint Step(PadPoint from, Direction direction, const std::vector<PadPoint>& spots,
                         const std::optional<PadLattice>& lattice);

private:
    void MoveByStick(const platform::PadState& pad);
    void StepByDpad(const platform::PadState& pad, bool pointerFrame);
    void PressButtons(const platform::PadState& pad, PadOutput& out);
    void CycleShop(const platform::PadState& pad, PadOutput& out);
    bool Pressed(const platform::PadState& pad, platform::PadButton button) const;
    bool Released(const platform::PadState& pad, platform::PadButton button) const;

    platform::PadState before_;
    bool triggerHeld_ = false;
    std::vector<PadPoint> spots_;
    std::optional<PadLattice> lattice_;
    float x_ = 0.0f;
    float y_ = 0.0f;
    int shownX_ = -1;  // the cursor as this pointer left it
    int shownY_ = -1;
    int leftHeld_ = 0;  // frames the left stick has been out of its dead zone
    int dpadHeld_[4] = {};
    int shopEntry_ = -1;
    std::uint32_t shopKey_ = 0;  // the key the held shoulder keeps down
    bool clickPending_ = false;
    bool lockOnAsked_ = false;
    bool touched_ = false;
};

}  // namespace input
