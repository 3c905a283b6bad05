#include "platform/Clock.h"

#include <sys/resource.h>

#include <chrono>
#include <thread>

namespace platform {

std::uint32_t SystemClock::NowMs() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

void SystemClock::SleepMs(std::uint32_t ms) { platform::SleepMs(ms); }

SystemClock& SystemClock::Instance() {
    static SystemClock clock;
    return clock;
}

void SleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

double ProcessorSeconds() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) {
        return 0.0;
    }
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace platform
