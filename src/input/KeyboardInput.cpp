#include "input/KeyboardInput.h"

KeyboardInput::~KeyboardInput() { Release(); }

HRESULT KeyboardInput::Init(input::DeviceBuffer* device) {
    device_ = device;
    if (device_ == nullptr) {
        return E_FAIL;
    }
    device_->Acquire();
    return S_OK;
}

HRESULT KeyboardInput::Update() {
    if (device_ == nullptr) {
        return S_OK;
    }
    std::size_t count = 0;
    if (!device_->Read(events_, count)) {
        if (!device_->Acquire()) {
            return E_FAIL;
        }
        keys_.fill(0);
        device_->Read(events_, count);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t offset = events_[i].offset;
        if (offset < keys_.size()) {
            keys_[offset] = (events_[i].data & 0x80u) ? 1 : 0;
        }
    }
    return S_OK;
}

void KeyboardInput::Release() {
    if (device_ != nullptr) {
        device_->Unacquire();
        device_ = nullptr;
    }
}
