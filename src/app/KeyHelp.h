#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "input/MouseInput.h"
#include "object/Object2D.h"
#include "object/TextTexture.h"

class KeyboardInput;

namespace gfx {
class Device;
}

// The one-screen list of every key of the battle and the shell, which F1 opens while the guides
// are on. While it is open the game stands still; any key or button pressed and let go closes
// it. It closes on the letting go, so the press that closes it never reaches a scene.
class KeyHelp {
public:
    // What the devices hold in one frame: every key by scan code and every mouse button.
    struct Devices {
        std::array<bool, 256> keys{};
        std::array<bool, MouseInput::kButtonCount> buttons{};

        static Devices Of(const KeyboardInput& keyboard, const MouseInput& mouse);
    };

    void Init(gfx::Device* device);
    bool IsOpen() const { return state_ == State::Open; }
    // Opens with what is down now: letting those go does not close it (F1 itself among them).
    void Open(const Devices& held);
    // One frame's devices while open. Closes, and answers true, when a key or button that went
    // down while it was open goes up.
    bool Watch(const Devices& now);
    // The dimmed screen and the panel with its lines, over whatever is drawn already.
    void Draw(gfx::Device* device);

private:
    enum class State { Closed, Open };

    static constexpr std::size_t kInputs = 256 + MouseInput::kButtonCount;
    static std::array<bool, kInputs> Flatten(const Devices& devices);
    void Print();

    State state_ = State::Closed;
    std::array<bool, kInputs> down_{};     // what was down in the frame before
    std::array<bool, kInputs> pressed_{};  // what went down while open
    TextTexture text_;
    std::uint32_t printedIn_ = 0;  // the language generation the text was printed in
    Object2D dim_;
    Object2D border_;
    Object2D panel_;
    Object2D lines_;
    bool ready_ = false;
};
