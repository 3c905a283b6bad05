#include "app/FrameTimes.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/FilePath.h"

namespace {

constexpr double kMicrosecondsPerMs = 1000.0;

std::size_t Index(FramePhase phase) { return static_cast<std::size_t>(phase); }

}  // namespace

std::int64_t FrameTimes::SteadyMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

FrameTimes::FrameTimes(MicrosecondClock clock) : clock_(clock), phaseStart_(clock()), frameStart_(phaseStart_) {}

void FrameTimes::Account(std::int64_t now) {
    spent_[Index(phase_)] += now - phaseStart_;
    phaseStart_ = now;
}

void FrameTimes::Enter(FramePhase phase) {
    if (phase == phase_) {
        return;
    }
    Account(clock_());
    phase_ = phase;
}

void FrameTimes::Presented() {
    const std::int64_t now = clock_();
    Account(now);
    last_.intervalMs = static_cast<double>(now - frameStart_) / kMicrosecondsPerMs;
    for (std::size_t i = 0; i < kFramePhaseCount; ++i) {
        last_.phaseMs[i] = static_cast<double>(spent_[i]) / kMicrosecondsPerMs;
    }
    spent_.fill(0);
    frameStart_ = now;
    recent_[shown_ % kRecentFrames] = last_.intervalMs;
    ++shown_;
}

double FrameTimes::RecentRate() const {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(shown_, kRecentFrames));
    double total = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        total += recent_[i];
    }
    return total > 0.0 ? static_cast<double>(count) * kMicrosecondsPerMs / total : 0.0;
}

double FrameTimes::RecentSlowestMs() const {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(shown_, kRecentFrames));
    return count == 0 ? 0.0 : *std::max_element(recent_.begin(), recent_.begin() + static_cast<std::ptrdiff_t>(count));
}

FrameTimesLog::~FrameTimesLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool FrameTimesLog::Open(const std::string& path, std::string& error) {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
    file_ = OpenFile(path, "w");
    if (file_ == nullptr) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    failed_ = std::fputs("# frame interval input simulation drawing present waiting (milliseconds)\n", file_) < 0;
    return true;
}

void FrameTimesLog::Write(std::uint32_t frame, const FrameTiming& timing) {
    if (file_ == nullptr) {
        return;
    }
    const int written = std::fprintf(
        file_, "%u %.3f %.3f %.3f %.3f %.3f %.3f\n", frame, timing.intervalMs, timing.Phase(FramePhase::Input),
        timing.Phase(FramePhase::Simulation), timing.Phase(FramePhase::Drawing), timing.Phase(FramePhase::Present),
        timing.Phase(FramePhase::Waiting));
    failed_ = failed_ || written < 0;
}

bool FrameTimesLog::Close(double processorSeconds) {
    if (file_ == nullptr) {
        return !failed_;
    }
    failed_ = failed_ || std::fprintf(file_, "# processor time %.2f s\n", processorSeconds) < 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    failed_ = failed_ || !closed;
    return !failed_;
}
