#pragma once
#include <array>
#include <cstdint>

#include "base/Result.h"
#include "input/DeviceReader.h"

// DirectInput scan codes of the keys the game watches.
namespace dik {
constexpr std::uint32_t k1 = 0x02;  // top row 1..9 are 0x02..0x0A, 0 is 0x0B
constexpr std::uint32_t k0 = 0x0B;
constexpr std::uint32_t kU = 0x16;
constexpr std::uint32_t kLeftShift = 0x2A;
constexpr std::uint32_t kS = 0x1F;
constexpr std::uint32_t kD = 0x20;
constexpr std::uint32_t kN = 0x31;
constexpr std::uint32_t kSpace = 0x39;
// Keys the shell answers itself.
constexpr std::uint32_t kTab = 0x0F;
constexpr std::uint32_t kReturn = 0x1C;
constexpr std::uint32_t kLeftAlt = 0x38;
constexpr std::uint32_t kRightAlt = 0xB8;
constexpr std::uint32_t kF1 = 0x3B;
constexpr std::uint32_t kF3 = 0x3D;
constexpr std::uint32_t kF12 = 0x58;
}  // namespace dik

// The keyboard: 256 key states by scan code, from the buffered device.
class KeyboardInput final : public input::DeviceReader {
public:
    HRESULT Init(input::DeviceBuffer* device) { return Attach(device); }
    // E_FAIL when the device could not be re-acquired; the states then stay as they were.
    HRESULT Update() { return ReadRecords(); }
    void Release() { Detach(); }

    std::uint8_t Key(std::uint32_t scanCode) const { return scanCode < keys_.size() ? keys_[scanCode] : 0; }

private:
    void Forget() override { keys_.fill(0); }
    void Apply(const input::DeviceEvent& event) override;

    std::array<std::uint8_t, 256> keys_{};
};
