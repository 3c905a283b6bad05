#include "app/LoopTimes.h"

#include <cstdio>

#include "platform/Clock.h"

bool LoopTimes::Open(const std::string& path) {
    path_ = path;
    if (path.empty()) {
        return true;
    }
    std::string error;
    if (!log_.Open(path, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return false;
    }
    return true;
}

gfx::FrameSink* LoopTimes::TimeFrames(gfx::FrameSink* next, bool closesRecord) {
    timedFrames_.emplace(times_, next, closesRecord);
    return &*timedFrames_;
}

bool LoopTimes::TimedFrames::ShowFrame(const std::uint32_t* argb) {
    times_.Enter(FramePhase::Present);
    const bool shown = next_ == nullptr || next_->ShowFrame(argb);
    if (closesRecord_) {
        times_.Presented();
    }
    return shown;
}

void LoopTimes::Log(std::uint32_t frame) {
    if (log_.IsOpen() && times_.Shown() != logged_) {
        log_.Write(frame, times_.Last());
        logged_ = times_.Shown();
    }
}

bool LoopTimes::Close() {
    if (!log_.Close(platform::ProcessorSeconds())) {
        std::fprintf(stderr, "velmoria: cannot write '%s'\n", path_.c_str());
        return false;
    }
    return true;
}
