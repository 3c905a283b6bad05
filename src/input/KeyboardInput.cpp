#include "input/KeyboardInput.h"

void KeyboardInput::Apply(const input::DeviceEvent& event) {
    if (event.offset < keys_.size()) {
        keys_[event.offset] = (event.data & 0x80u) ? 1 : 0;
    }
}
