#pragma once
#include <cstdint>

#include "platform/Clock.h"

// Paces the main loop to a fixed frame rate. A frame that runs long is not made up: the next
// one simply starts late, and the game, which counts frames, slows down with it.
class FramePacer {
public:
    // A pacer without sleeps (headless runs) keeps the arithmetic but never waits.
    explicit FramePacer(platform::Clock& clock, bool sleeps = true);

    void SetRate(std::uint32_t rate);
    // Sleeps out Remaining, then Beat.
    bool Wait();
    // Whether a whole period has passed since the last beat, so Wait would not sleep.
    bool Due() const;
    // The milliseconds Wait would sleep now: none once the frame is due, and none ever for a
    // pacer without sleeps. Whoever owns the thread's time does the waiting.
    std::uint32_t Remaining() const;
    // A frame starts now: the next is due a period from here.
    void Beat();

    std::uint32_t Period() const { return period_; }

private:
    platform::Clock& clock_;
    bool sleeps_;
    std::uint32_t targetRate_ = 60;
    std::uint32_t period_ = 1000 / 60;
    std::uint32_t lastTime_;
};
