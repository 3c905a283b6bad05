#pragma once
#include <atomic>
#include <cstdint>

namespace platform {

// Sleeping until a counter changes, and waking one such sleeper. On Linux these are std::atomic's
// own wait and notify, which the standard library does with the kernel's futex; on Windows they
// are the system's WaitOnAddress and WakeByAddressSingle, as the library's fallback there (a
// shared pool of condition variables) can miss a wake-up and leave a drawing thread asleep.
void WaitWhileEquals(const std::atomic<std::uint32_t>& counter, std::uint32_t value);
void WakeOneWaiter(std::atomic<std::uint32_t>& counter);

}  // namespace platform
