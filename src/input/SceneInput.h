#pragma once
#include <array>
#include <cstdint>

#include "base/SceneContext.h"

class KeyboardInput;
class MouseInput;

// DirectInput scan code and input-script name of each watched key, in the context's order.
struct WatchedKeyCode {
    std::uint32_t scanCode;
    const char* name;
};
extern const std::array<WatchedKeyCode, kWatchedKeyCount> kWatchedKeyCodes;

// What the devices hold after this frame's read, into the context: the watched keys, the cursor
// and both buttons, with the press edges against the frame before.
void CopyInput(const MouseInput& mouse, const KeyboardInput& keyboard, SceneContext& context);
