#include "platform/AddressWait.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t) &&
                  std::atomic<std::uint32_t>::is_always_lock_free,
              "the counter is a plain 32-bit word the system can watch");

#ifdef _WIN32

void WaitWhileEquals(const std::atomic<std::uint32_t>& counter, std::uint32_t value) {
    // WaitOnAddress may return without a change; the loop looks again.
    while (counter.load(std::memory_order_acquire) == value) {
        WaitOnAddress(const_cast<std::atomic<std::uint32_t>*>(&counter), &value, sizeof value, INFINITE);
    }
}

void WakeOneWaiter(std::atomic<std::uint32_t>& counter) { WakeByAddressSingle(&counter); }

#else

void WaitWhileEquals(const std::atomic<std::uint32_t>& counter, std::uint32_t value) {
    counter.wait(value, std::memory_order_acquire);
}

void WakeOneWaiter(std::atomic<std::uint32_t>& counter) { counter.notify_one(); }

#endif

}  // namespace platform
