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
    const std::uint32_t elapsed = clock_.NowMs() - lastTime_;
    if (elapsed < period_ && sleeps_) {
        clock_.SleepMs(period_ - elapsed);
    }
    lastTime_ = clock_.NowMs();
    return true;
}

bool FramePacer::Due() const { return clock_.NowMs() - lastTime_ >= period_; }
