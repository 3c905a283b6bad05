#include "input/SystemEvents.h"

#include <cstdint>

#include "input/DeviceBuffer.h"
#include "input/MouseInput.h"
#include "input/PadInput.h"
#include "input/ScanCodes.h"
#include "platform/Window.h"

namespace input {

namespace {

class SystemDevices final : public platform::WindowEvents {
public:
    void CursorMoved(int x, int y) override {
        SetCursorPosition(x, y);
        NoteDevice(LastDevice::MouseAndKeys);
    }

    void ButtonChanged(int button, bool down) override {
        SystemMouse().Push(MouseInput::kButtonOffset + static_cast<std::uint32_t>(button), down);
        NoteDevice(LastDevice::MouseAndKeys);
    }

    void KeyChanged(int sdlScancode, bool down) override {
        if (const std::uint32_t code = ScanCodeFromSdl(sdlScancode)) {
            SystemKeyboard().Push(code, down);
            NoteDevice(LastDevice::MouseAndKeys);
        }
    }

    void FocusChanged(bool focused) override {
        SystemMouse().SetFocus(focused);
        SystemKeyboard().SetFocus(focused);
    }
};

}  // namespace

platform::WindowEvents& SystemEvents() {
    static SystemDevices devices;
    return devices;
}

}  // namespace input
