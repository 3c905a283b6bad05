#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "app/FrameTimes.h"
#include "gfx/SoftwareDevice.h"

// The main loop's frame times: measured as the loop runs, and with --frame-times written, a line
// for every frame shown.
class LoopTimes {
public:
    // Opens the file at path, if one is named; false with the reason on stderr.
    bool Open(const std::string& path);
    void Enter(FramePhase phase) { times_.Enter(phase); }
    // A frame has just reached the screen.
    void Presented() { times_.Presented(); }
    const FrameTimes& Times() const { return times_; }
    // The first stop of every drawn frame, on its way to next: what follows is the present's
    // time. Without a window (closesRecord) the frame's record closes here; with one, when the
    // window shows it.
    gfx::FrameSink* TimeFrames(gfx::FrameSink* next, bool closesRecord);
    // The line of the frame just shown, the game's frame, if it is not written yet.
    void Log(std::uint32_t frame);
    // Ends the file; false, with the word on stderr, when it could not be written.
    bool Close();

private:
    class TimedFrames final : public gfx::FrameSink {
    public:
        TimedFrames(FrameTimes& times, gfx::FrameSink* next, bool closesRecord)
            : times_(times), next_(next), closesRecord_(closesRecord) {}
        bool ShowFrame(const std::uint32_t* argb) override;

    private:
        FrameTimes& times_;
        gfx::FrameSink* next_;
        bool closesRecord_;
    };

    FrameTimes times_;
    std::optional<TimedFrames> timedFrames_;
    FrameTimesLog log_;
    std::string path_;
    std::uint64_t logged_ = 0;  // shown frames whose line is written
};
