#include "platform/Event.h"

#include <chrono>

namespace platform {

void Event::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    signalled_.notify_one();
}

void Event::Wait() {
    std::unique_lock lock(mutex_);
    signalled_.wait(lock, [this] { return set_; });
    set_ = false;
}

bool Event::WaitFor(unsigned milliseconds) {
    std::unique_lock lock(mutex_);
    if (!signalled_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return set_; })) {
        return false;
    }
    set_ = false;
    return true;
}

}  // namespace platform
