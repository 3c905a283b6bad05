#include "input/MouseInput.h"

#include "app/LogPutout.h"

MouseInput::~MouseInput() { Release(); }

HRESULT MouseInput::Init(input::DeviceBuffer* device) {
    device_ = device;
    if (device_ == nullptr) {
        return E_FAIL;
    }
    device_->Acquire();
    WriteLog("DirectInput初期化成功");
    return S_OK;
}

HRESULT MouseInput::Update() {
    input::GetCursorPosition(x_, y_);
    if (device_ == nullptr) {
        return S_OK;
    }
    std::size_t count = 0;
    if (!device_->Read(events_, count)) {
        if (!device_->Acquire()) {
            return E_FAIL;
        }
        // A fresh acquire starts from nothing held: releases made while away were never seen.
        buttons_.fill(0);
        device_->Read(events_, count);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t offset = events_[i].offset;
        if (offset >= kButtonOffset && offset < kButtonOffset + kButtonCount) {
            buttons_[offset - kButtonOffset] = (events_[i].data & 0x80u) ? 1 : 0;
        }
    }
    return S_OK;
}

void MouseInput::Release() {
    if (device_ != nullptr) {
        device_->Unacquire();
        device_ = nullptr;
    }
}
