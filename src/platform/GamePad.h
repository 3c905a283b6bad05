#pragma once
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The buttons and axes of a game controller as SDL's game-controller layer names them, in its
// order: whatever the make, A is the bottom face button and the d-pad is four buttons.
enum class PadButton : int {
    A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
    DpadUp, DpadDown, DpadLeft, DpadRight,
    Count
};
enum class PadAxis : int { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, Count };

constexpr std::size_t kPadButtons = static_cast<std::size_t>(PadButton::Count);
constexpr std::size_t kPadAxes = static_cast<std::size_t>(PadAxis::Count);

// What the controllers hold in one frame. Sticks run from -1 (left, up) to 1 (right, down),
// triggers from 0 (let go) to 1.
struct PadState {
    std::array<bool, kPadButtons> buttons{};
    std::array<float, kPadAxes> axes{};

    bool Button(PadButton button) const { return buttons[static_cast<std::size_t>(button)]; }
    float Axis(PadAxis axis) const { return axes[static_cast<std::size_t>(axis)]; }
    void SetButton(PadButton button, bool down) { buttons[static_cast<std::size_t>(button)] = down; }
    void SetAxis(PadAxis axis, float value) { axes[static_cast<std::size_t>(axis)] = value; }
    bool operator==(const PadState&) const = default;
};

// Two controllers played at once: a button is down when it is down on either, an axis takes the
// larger deflection.
PadState Merge(const PadState& a, const PadState& b);

// Every game controller SDL's mapping database knows (SDL_GAMECONTROLLERCONFIG and
// SDL_GAMECONTROLLERCONFIG_FILE add to it), opened when it is plugged in and closed when it goes.
class GamePads {
public:
    GamePads();
    ~GamePads();
    GamePads(const GamePads&) = delete;
    GamePads& operator=(const GamePads&) = delete;

    // Starts SDL's game-controller layer; false with SDL's reason.
    bool Start(std::string& error);
    void Stop();

    // Once per frame: opens the controllers plugged in since the last call, closes those pulled
    // out, and answers what all of them hold together. Nothing is held without a controller.
    PadState Poll();
    std::size_t Count() const { return open_.size(); }

private:
    void Reconcile();

    struct Opened;
    std::vector<std::unique_ptr<Opened>> open_;
    bool started_ = false;
};

}  // namespace platform
