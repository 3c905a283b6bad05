#include "input/MouseInput.h"

#include "base/LogPutout.h"

HRESULT MouseInput::Init(input::DeviceBuffer* device) {
    const HRESULT result = Attach(device);
    if (SUCCEEDED(result)) {
        WriteLog("DirectInput初期化成功");
    }
    return result;
}

HRESULT MouseInput::Update() {
    input::GetCursorPosition(x_, y_);
    return ReadRecords();
}

void MouseInput::Apply(const input::DeviceEvent& event) {
    if (event.offset >= kButtonOffset && event.offset < kButtonOffset + kButtonCount) {
        buttons_[event.offset - kButtonOffset] = (event.data & 0x80u) ? 1 : 0;
    }
}
