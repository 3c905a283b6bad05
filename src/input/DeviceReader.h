#pragma once
#include <array>

#include "base/Result.h"
#include "input/DeviceBuffer.h"

namespace input {

// What the keyboard and the mouse share: the buffered device they read, acquired from Attach to
// Detach, and each frame's reading of its records into the states they keep.
class DeviceReader {
public:
    virtual ~DeviceReader();

protected:
    DeviceReader() = default;

    // E_FAIL without a device.
    HRESULT Attach(DeviceBuffer* device);
    // Hands this frame's records to Apply. A device that lost its acquisition (the window lost
    // the focus) is acquired again, and the held states are forgotten first: releases made while
    // away were never seen. E_FAIL when it cannot be acquired; the states then stay as they were.
    HRESULT ReadRecords();
    void Detach();

    // Back to nothing held.
    virtual void Forget() = 0;
    virtual void Apply(const DeviceEvent& event) = 0;

private:
    DeviceBuffer* device_ = nullptr;
    std::array<DeviceEvent, DeviceBuffer::kCapacity> events_{};
};

}  // namespace input
