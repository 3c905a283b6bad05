#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace input {

// One buffered input record: which key or button (its device offset) and its new state in
// bit 7 of data, as the game's input layer has always read them.
struct DeviceEvent {
    std::uint32_t offset;
    std::uint32_t data;
};

// A system input device with an 8-record buffer between two reads. The device is acquired only
// while the game window has the focus: records that arrive while it is not acquired are lost,
// and losing the focus drops the buffer.
class DeviceBuffer {
public:
    static constexpr std::size_t kCapacity = 8;

    // A full buffer loses the newest records.
    void Push(std::uint32_t offset, bool down);

    void SetFocus(bool focused);
    bool Acquire();
    void Unacquire();
    bool Acquired() const;

    // Takes up to kCapacity records; false when the device is not acquired.
    bool Read(std::array<DeviceEvent, kCapacity>& events, std::size_t& count);

private:
    mutable std::mutex mutex_;
    std::array<DeviceEvent, kCapacity> events_{};
    std::size_t count_ = 0;
    bool focused_ = true;
    bool acquired_ = false;
};

// The system devices the event pump and input scripts feed.
DeviceBuffer& SystemMouse();
DeviceBuffer& SystemKeyboard();

// The cursor in frame pixels (not clamped), kept by the window system or an input script.
void SetCursorPosition(int x, int y);
void GetCursorPosition(int& x, int& y);

}  // namespace input
