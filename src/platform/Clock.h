#pragma once
#include <cstdint>
#include <ctime>

namespace platform {

// Millisecond time and sleeps; the frame pacer talks to the clock through this so that tests can
// hand it a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t NowMs() = 0;
    virtual void SleepMs(std::uint32_t ms) = 0;
};

// The steady system clock.
class SystemClock final : public Clock {
public:
    std::uint32_t NowMs() override;
    void SleepMs(std::uint32_t ms) override;
    static SystemClock& Instance();
};

void SleepMs(std::uint32_t ms);

// The processor time the whole process has used so far, every thread's, in seconds.
double ProcessorSeconds();

// The local calendar time of a moment, safe to call from any thread.
std::tm LocalTime(std::time_t when);

}  // namespace platform
