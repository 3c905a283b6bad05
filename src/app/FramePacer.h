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
    bool Wait();
    // Whether a whole period has passed since the last wait ended, so Wait would not sleep.
    bool Due() const;

    std::uint32_t Period() const { return period_; }

private:
    platform::Clock& clock_;
    bool sleeps_;
    std::uint32_t targetRate_ = 60;
    std::uint32_t period_ = 1000 / 60;
    std::uint32_t lastTime_;
};
