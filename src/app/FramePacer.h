#pragma once
#include <cstdint>

#include "platform/Clock.h"

// Paces the main loop to a fixed frame rate. A frame that runs long is not made up: the next
// one simply starts late, and the game, which counts frames, slows down with it.
class FramePacer {
public:
    // Who makes the beats. Slept: the loop itself, which sleeps out each period from the end of
    // the last wait. Display: the display's own frames (a web page's animation frames), which the
    // pacer can only take or let pass; their times wander around the period, so a frame is taken
    // from a little before it is due, and the next is due a period after this one was, which
    // keeps the rate on a display of any refresh rate. A frame more than a period late starts
    // the count afresh, as a slept one does.
    enum class Beats : std::uint8_t { Slept, Display };
    // How early a display frame may come and still be taken.
    static constexpr std::uint32_t kDisplayLeadMs = 4;

    // A pacer without sleeps (headless runs) keeps the arithmetic but never waits.
    explicit FramePacer(platform::Clock& clock, bool sleeps = true, Beats beats = Beats::Slept);

    void SetRate(std::uint32_t rate);
    // Sleeps out Remaining, then Beat.
    bool Wait();
    // Whether the frame may start now, so Wait would not sleep.
    bool Due() const;
    // The milliseconds Wait would sleep now: none once the frame is due, and none ever for a
    // pacer without sleeps. Whoever owns the thread's time does the waiting.
    std::uint32_t Remaining() const;
    // A frame starts now: the next is due a period from here (from when this one was due, for
    // display frames).
    void Beat();

    std::uint32_t Period() const { return period_; }

private:
    // Since the last beat; negative just after a display frame taken early.
    std::int64_t Elapsed() const;
    // How early a frame may start.
    std::uint32_t Lead() const { return beats_ == Beats::Display ? kDisplayLeadMs : 0; }

    platform::Clock& clock_;
    bool sleeps_;
    Beats beats_;
    std::uint32_t targetRate_ = 60;
    std::uint32_t period_ = 1000 / 60;
    std::uint32_t lastTime_;
};
