#include "input/DeviceReader.h"

namespace input {

// Detach is not virtual, so a derived reader's Forget and Apply are never called from here.
DeviceReader::~DeviceReader() { Detach(); }

HRESULT DeviceReader::Attach(DeviceBuffer* device) {
    device_ = device;
    if (device_ == nullptr) {
        return E_FAIL;
    }
    device_->Acquire();
    return S_OK;
}

HRESULT DeviceReader::ReadRecords() {
    if (device_ == nullptr) {
        return S_OK;
    }
    std::size_t count = 0;
    if (!device_->Read(events_, count)) {
        if (!device_->Acquire()) {
            return E_FAIL;
        }
        Forget();
        device_->Read(events_, count);
    }
    for (std::size_t i = 0; i < count; ++i) {
        Apply(events_[i]);
    }
    return S_OK;
}

void DeviceReader::Detach() {
    if (device_ != nullptr) {
        device_->Unacquire();
        device_ = nullptr;
    }
}

}  // namespace input
