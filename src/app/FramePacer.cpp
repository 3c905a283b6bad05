#include "app/FramePacer.h"

FramePacer::FramePacer(platform::Clock& clock, bool sleeps, Beats beats)
    : clock_(clock), sleeps_(sleeps), beats_(beats), lastTime_(clock.NowMs()) {}

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

// The clock wraps around every 49 days; the difference of two readings is right across it.
std::int64_t FramePacer::Elapsed() const { return static_cast<std::int32_t>(clock_.NowMs() - lastTime_); }

bool FramePacer::Due() const { return Elapsed() + Lead() >= period_; }

std::uint32_t FramePacer::Remaining() const {
    const std::int64_t left = static_cast<std::int64_t>(period_) - Lead() - Elapsed();
    return left > 0 && sleeps_ ? static_cast<std::uint32_t>(left) : 0;
}

void FramePacer::Beat() {
    // A display frame taken on time, early by the lead or late by less than a period: the next is
    // due a period after this one was. Any other beat (the start-up's) counts from now.
    const std::int64_t elapsed = Elapsed();
    if (beats_ == Beats::Display && Due() && elapsed < 2 * static_cast<std::int64_t>(period_)) {
        lastTime_ += period_;
    } else {
        lastTime_ = clock_.NowMs();
    }
}
