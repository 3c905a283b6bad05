#pragma once
#include <condition_variable>
#include <mutex>

namespace platform {

// An auto-reset event: Set wakes one waiter (or the next one to wait) and resets itself.
class Event {
public:
    void Set();
    void Wait();
    // False when the time ran out without the event being set.
    bool WaitFor(unsigned milliseconds);

private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_ = false;
};

}  // namespace platform
