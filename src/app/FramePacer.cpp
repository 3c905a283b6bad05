#include "app/FramePacer.h"

FramePacer::FramePacer(platform::Clock& clock, bool sleeps)
    : clock_(clock), sleeps_(sleeps), lastTime_(clock.NowMs()) {}

void FramePacer::SetRate(std::uint32_t rate) {
    if (rate == 0) {
        return;
    }
    targetRate_ = rate;
    period_ = 1000 / rate;
}

bool FramePacer::Wait() {
    if (const std::uint32_t remaining = Remaining(); remaining > 0) {
        clock_.SleepMs(remaining);
    }
    Beat();
    return true;
}

bool FramePacer::Due() const { return clock_.NowMs() - lastTime_ >= period_; }

std::uint32_t FramePacer::Remaining() const {
    const std::uint32_t elapsed = clock_.NowMs() - lastTime_;
    return elapsed < period_ && sleeps_ ? period_ - elapsed : 0;
}

void FramePacer::Beat() { lastTime_ = clock_.NowMs(); }
