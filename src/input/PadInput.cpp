#include "input/PadInput.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "input/DeviceBuffer.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"

namespace input {

namespace {

using platform::PadAxis;
using platform::PadButton;
using platform::PadState;

constexpr int kFrameRight = 639;
constexpr int kFrameBottom = 479;

// A pad button held down holds down what it stands for.
struct ButtonMapping {
    PadButton button;
    bool mouse;  // a mouse button, else a key
    std::uint32_t code;
};

constexpr ButtonMapping kMappings[] = {
    {PadButton::A, true, 0},
    {PadButton::B, true, 1},
    {PadButton::B, false, dik::kD},
    {PadButton::X, false, dik::kU},
    {PadButton::Y, false, dik::kS},
    {PadButton::Start, false, dik::kSpace},
    {PadButton::Back, false, dik::kTab},
    {PadButton::Guide, false, dik::kF1},
};

constexpr int kShopEntries = 10;

// Entries 0..8 are the keys 1..9, entry 9 is 0.
std::uint32_t ShopKey(int entry) { return entry < kShopEntries - 1 ? dik::k1 + static_cast<std::uint32_t>(entry) : dik::k0; }

class SystemOutput final : public PadOutput {
public:
    void Cursor(int& x, int& y) const override { GetCursorPosition(x, y); }
    void MoveCursor(int x, int y) override { SetCursorPosition(x, y); }
    void Button(std::uint32_t button, bool down) override {
        SystemMouse().Push(MouseInput::kButtonOffset + button, down);
    }
    void Key(std::uint32_t scanCode, bool down) override { SystemKeyboard().Push(scanCode, down); }
};

std::atomic<LastDevice> g_lastDevice{LastDevice::MouseAndKeys};

float Deflection(float x, float y) { return std::hypot(x, y); }

bool StickOut(const PadState& pad) {
    return Deflection(pad.Axis(PadAxis::LeftX), pad.Axis(PadAxis::LeftY)) > pad_curve::kDeadZone ||
           Deflection(pad.Axis(PadAxis::RightX), pad.Axis(PadAxis::RightY)) > pad_curve::kDeadZone;
}

// How far beyond the dead zone, 0..1.
float BeyondDeadZone(float r) {
    return std::clamp((r - pad_curve::kDeadZone) / (1.0f - pad_curve::kDeadZone), 0.0f, 1.0f);
}

template <typename Id>
struct PadName {
    const char* name;
    Id id;
};

constexpr PadName<PadButton> kButtonNames[] = {
    {"a", PadButton::A}, {"b", PadButton::B}, {"x", PadButton::X}, {"y", PadButton::Y},
    {"back", PadButton::Back}, {"select", PadButton::Back}, {"guide", PadButton::Guide},
    {"start", PadButton::Start}, {"leftstick", PadButton::LeftStick}, {"L3", PadButton::LeftStick},
    {"rightstick", PadButton::RightStick}, {"R3", PadButton::RightStick},
    {"leftshoulder", PadButton::LeftShoulder}, {"LB", PadButton::LeftShoulder},
    {"rightshoulder", PadButton::RightShoulder}, {"RB", PadButton::RightShoulder},
    {"dpup", PadButton::DpadUp}, {"up", PadButton::DpadUp}, {"dpdown", PadButton::DpadDown},
    {"down", PadButton::DpadDown}, {"dpleft", PadButton::DpadLeft}, {"left", PadButton::DpadLeft},
    {"dpright", PadButton::DpadRight}, {"right", PadButton::DpadRight},
};

constexpr PadName<PadAxis> kAxisNames[] = {
    {"leftx", PadAxis::LeftX}, {"lefty", PadAxis::LeftY}, {"rightx", PadAxis::RightX},
    {"righty", PadAxis::RightY}, {"lefttrigger", PadAxis::LeftTrigger}, {"LT", PadAxis::LeftTrigger},
    {"righttrigger", PadAxis::RightTrigger}, {"RT", PadAxis::RightTrigger},
};

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

template <typename Id, std::size_t N>
bool FindName(const PadName<Id> (&names)[N], std::string_view name, Id& id) {
    for (const PadName<Id>& entry : names) {
        if (SameName(entry.name, name)) {
            id = entry.id;
            return true;
        }
    }
    return false;
}

}  // namespace

bool PadButtonFromName(std::string_view name, PadButton& button) { return FindName(kButtonNames, name, button); }
bool PadAxisFromName(std::string_view name, PadAxis& axis) { return FindName(kAxisNames, name, axis); }

PadOutput& SystemPadOutput() {
    static SystemOutput output;
    return output;
}

platform::PadState& ScriptPad() {
    static PadState pad;
    return pad;
}

void NoteDevice(LastDevice device) { g_lastDevice = device; }
LastDevice LastUsedDevice() { return g_lastDevice; }

namespace pad_curve {

float LeftSpeed(float deflection, int framesHeld) {
    const float t = BeyondDeadZone(deflection);
    const float top = std::min(kStartSpeed + kAcceleration * static_cast<float>(framesHeld), kTopSpeed);
    return t * t * top;
}

float FineSpeed(float deflection) { return BeyondDeadZone(deflection) * kFineSpeed; }

}  // namespace pad_curve

void PadPointer::SetSpots(std::vector<PadPoint> spots, std::optional<PadLattice> lattice) {
    spots_ = std::move(spots);
    lattice_ = lattice;
}

PadPoint PadPointer::Step(PadPoint from, Direction direction, const std::vector<PadPoint>& spots,
                          const std::optional<PadLattice>& lattice) {
    const bool horizontal = direction == Direction::Left || direction == Direction::Right;
    const int sign = (direction == Direction::Right || direction == Direction::Down) ? 1 : -1;
    std::optional<PadPoint> best;
    long bestCost = 0;
    auto consider = [&](PadPoint spot) {
        const int ahead = sign * (horizontal ? spot.x - from.x : spot.y - from.y);
        const int aside = std::abs(horizontal ? spot.y - from.y : spot.x - from.x);
        if (ahead <= 0) {
            return;
        }
        const long cost = ahead + 2L * aside;
        if (!best || cost < bestCost) {
            best = spot;
            bestCost = cost;
        }
    };
    for (const PadPoint& spot : spots) {
        consider(spot);
    }
    if (lattice && lattice->step > 0) {
        for (int x = lattice->first; x <= lattice->last; x += lattice->step) {
            for (int y = lattice->first; y <= lattice->last; y += lattice->step) {
                consider({x, y});
            }
        }
    }
    if (best) {
        return *best;
    }
    PadPoint plain = from;
    (horizontal ? plain.x : plain.y) += sign * pad_curve::kPlainStep;
    return {std::clamp(plain.x, 0, kFrameRight), std::clamp(plain.y, 0, kFrameBottom)};
}

bool PadPointer::Pressed(const PadState& pad, PadButton button) const {
    return pad.Button(button) && !before_.Button(button);
}

bool PadPointer::Released(const PadState& pad, PadButton button) const {
    return !pad.Button(button) && before_.Button(button);
}

void PadPointer::Update(const PadState& pad, PadOutput& out, bool pointerFrame) {
    touched_ = pad.buttons != before_.buttons;
    if (clickPending_) {
        clickPending_ = false;
        if (!pad.Button(PadButton::A)) {
            out.Button(0, false);
        }
    }
    int cursorX = 0;
    int cursorY = 0;
    out.Cursor(cursorX, cursorY);
    if (cursorX != shownX_ || cursorY != shownY_) {
        // The mouse or a script moved it since: the pad goes on from there.
        x_ = static_cast<float>(cursorX);
        y_ = static_cast<float>(cursorY);
    }
    const float wasX = x_;
    const float wasY = y_;
    if (pointerFrame) {
        MoveByStick(pad);
    } else {
        touched_ = touched_ || StickOut(pad);
    }
    StepByDpad(pad, pointerFrame);
    // Only a pointer the pad moved is kept in the frame: the mouse's may be anywhere.
    if (x_ != wasX || y_ != wasY) {
        x_ = std::clamp(x_, 0.0f, static_cast<float>(kFrameRight));
        y_ = std::clamp(y_, 0.0f, static_cast<float>(kFrameBottom));
    }
    const int x = static_cast<int>(std::floor(x_));
    const int y = static_cast<int>(std::floor(y_));
    if (x != cursorX || y != cursorY) {
        out.MoveCursor(x, y);
    }
    shownX_ = x;
    shownY_ = y;
    PressButtons(pad, out);
    CycleShop(pad, out);
    lockOnAsked_ = Pressed(pad, PadButton::RightStick);
    before_ = pad;
    if (touched_) {
        NoteDevice(LastDevice::Pad);
    }
}

void PadPointer::MoveByStick(const PadState& pad) {
    const float lx = pad.Axis(PadAxis::LeftX);
    const float ly = pad.Axis(PadAxis::LeftY);
    const float left = Deflection(lx, ly);
    if (left > pad_curve::kDeadZone) {
        const float speed = pad_curve::LeftSpeed(left, leftHeld_);
        x_ += lx / left * speed;
        y_ += ly / left * speed;
        ++leftHeld_;
        touched_ = true;
    } else {
        leftHeld_ = 0;
    }
    const float rx = pad.Axis(PadAxis::RightX);
    const float ry = pad.Axis(PadAxis::RightY);
    const float right = Deflection(rx, ry);
    if (right > pad_curve::kDeadZone) {
        const float speed = pad_curve::FineSpeed(right);
        x_ += rx / right * speed;
        y_ += ry / right * speed;
        touched_ = true;
    }
}

void PadPointer::StepByDpad(const PadState& pad, bool pointerFrame) {
    constexpr std::pair<PadButton, Direction> kDirections[] = {
        {PadButton::DpadUp, Direction::Up},
        {PadButton::DpadDown, Direction::Down},
        {PadButton::DpadLeft, Direction::Left},
        {PadButton::DpadRight, Direction::Right},
    };
    for (int i = 0; i < 4; ++i) {
        const auto [button, direction] = kDirections[i];
        if (!pad.Button(button)) {
            dpadHeld_[i] = 0;
            continue;
        }
        const bool pressed = !before_.Button(button);
        if (!pointerFrame && !pressed) {
            continue;
        }
        const int held = pressed ? 0 : dpadHeld_[i];
        dpadHeld_[i] = held + 1;
        const bool repeat = held >= pad_curve::kRepeatDelay && (held - pad_curve::kRepeatDelay) % pad_curve::kRepeatEvery == 0;
        if (held != 0 && !repeat) {
            continue;
        }
        const PadPoint from{static_cast<int>(std::floor(x_)), static_cast<int>(std::floor(y_))};
        const PadPoint to = Step(from, direction, spots_, lattice_);
        x_ = static_cast<float>(to.x);
        y_ = static_cast<float>(to.y);
    }
}

void PadPointer::PressButtons(const PadState& pad, PadOutput& out) {
    for (const ButtonMapping& mapping : kMappings) {
        const bool pressed = Pressed(pad, mapping.button);
        if (!pressed && !Released(pad, mapping.button)) {
            continue;
        }
        if (mapping.mouse) {
            out.Button(mapping.code, pressed);
        } else {
            out.Key(mapping.code, pressed);
        }
    }
    // Either trigger replaces; a trigger halfway pressed does not flicker.
    const float trigger = std::max(pad.Axis(PadAxis::LeftTrigger), pad.Axis(PadAxis::RightTrigger));
    const bool held = triggerHeld_ ? trigger >= pad_curve::kTriggerUp : trigger >= pad_curve::kTriggerDown;
    if (held != triggerHeld_) {
        triggerHeld_ = held;
        out.Key(dik::kLeftShift, held);
        touched_ = true;
    }
}

void PadPointer::CycleShop(const PadState& pad, PadOutput& out) {
    const bool next = Pressed(pad, PadButton::RightShoulder);
    const bool previous = Pressed(pad, PadButton::LeftShoulder);
    const bool shouldersUp = !pad.Button(PadButton::RightShoulder) && !pad.Button(PadButton::LeftShoulder);
    if (shopKey_ != 0 && (shouldersUp || next || previous)) {
        out.Key(shopKey_, false);
        shopKey_ = 0;
    }
    if (next == previous) {
        return;
    }
    if (shopEntry_ < 0) {
        shopEntry_ = next ? 0 : kShopEntries - 1;
    } else {
        shopEntry_ = (shopEntry_ + (next ? 1 : kShopEntries - 1)) % kShopEntries;
    }
    shopKey_ = ShopKey(shopEntry_);
    out.Key(shopKey_, true);
}

void PadPointer::ClickAt(int x, int y, PadOutput& out) {
    x_ = static_cast<float>(std::clamp(x, 0, kFrameRight));
    y_ = static_cast<float>(std::clamp(y, 0, kFrameBottom));
    shownX_ = static_cast<int>(x_);
    shownY_ = static_cast<int>(y_);
    out.MoveCursor(shownX_, shownY_);
    out.Button(0, true);
    clickPending_ = true;
}

}  // namespace input
