#include "input/DeviceBuffer.h"

#include <atomic>

namespace input {

void DeviceBuffer::Push(std::uint32_t offset, bool down) {
    std::lock_guard lock(mutex_);
    if (!acquired_ || count_ == kCapacity) {
        return;
    }
    events_[count_++] = DeviceEvent{offset, down ? 0x80u : 0u};
}

void DeviceBuffer::SetFocus(bool focused) {
    std::lock_guard lock(mutex_);
    focused_ = focused;
    if (!focused) {
        acquired_ = false;
        count_ = 0;
    }
}

bool DeviceBuffer::Acquire() {
    std::lock_guard lock(mutex_);
    acquired_ = focused_;
    return acquired_;
}

void DeviceBuffer::Unacquire() {
    std::lock_guard lock(mutex_);
    acquired_ = false;
    count_ = 0;
}

bool DeviceBuffer::Acquired() const {
    std::lock_guard lock(mutex_);
    return acquired_;
}

bool DeviceBuffer::Read(std::array<DeviceEvent, kCapacity>& events, std::size_t& count) {
    std::lock_guard lock(mutex_);
    if (!acquired_) {
        count = 0;
        return false;
    }
    events = events_;
    count = count_;
    count_ = 0;
    return true;
}

DeviceBuffer& SystemMouse() {
    static DeviceBuffer mouse;
    return mouse;
}

DeviceBuffer& SystemKeyboard() {
    static DeviceBuffer keyboard;
    return keyboard;
}

namespace {
std::atomic<int> g_cursorX{0};
std::atomic<int> g_cursorY{0};
}

void SetCursorPosition(int x, int y) {
    g_cursorX = x;
    g_cursorY = y;
}

void GetCursorPosition(int& x, int& y) {
    x = g_cursorX;
    y = g_cursorY;
}

}  // namespace input
