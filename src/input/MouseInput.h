#pragma once
#include <array>
#include <cstdint>

#include "base/Result.h"
#include "input/DeviceReader.h"

// The mouse: cursor position from the window system, buttons from the buffered device.
class MouseInput final : public input::DeviceReader {
public:
    // Device offsets of the eight buttons.
    static constexpr std::uint32_t kButtonOffset = 12;
    static constexpr int kButtonCount = 8;

    HRESULT Init(input::DeviceBuffer* device);
    // E_FAIL when the device could not be re-acquired; the states then stay as they were.
    HRESULT Update();
    void Release() { Detach(); }

    int X() const { return x_; }
    int Y() const { return y_; }
    std::uint8_t Button(int n) const { return (n >= 0 && n < kButtonCount) ? buttons_[n] : 0; }

private:
    void Forget() override { buttons_.fill(0); }
    void Apply(const input::DeviceEvent& event) override;

    int x_ = 0;
    int y_ = 0;
    std::array<std::uint8_t, kButtonCount> buttons_{};
};
