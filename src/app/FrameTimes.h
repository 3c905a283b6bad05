#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Where the main loop's time goes between two frames reaching the screen: reading the devices
// and the window's events, running the scenes (which also queue their draws), turning the queued
// draws into pixels, handing the picture to the window, and sleeping.
enum class FramePhase : std::uint8_t { Input, Simulation, Drawing, Present, Waiting };
inline constexpr std::size_t kFramePhaseCount = 5;

// One shown frame: the time since the frame shown before it, and how that time was spent. The
// phases add up to the interval.
struct FrameTiming {
    double intervalMs = 0.0;
    std::array<double, kFramePhaseCount> phaseMs{};

    double Phase(FramePhase phase) const { return phaseMs[static_cast<std::size_t>(phase)]; }
};

// Measures the loop as it runs: the loop says which phase it enters, the window says when a
// frame has reached the screen. Nothing is allocated while measuring.
class FrameTimes {
public:
    // Microseconds from any fixed point.
    using MicrosecondClock = std::int64_t (*)();
    static std::int64_t SteadyMicroseconds();

    // How many shown frames the recent figures cover: one second's worth.
    static constexpr std::size_t kRecentFrames = 60;

    explicit FrameTimes(MicrosecondClock clock = SteadyMicroseconds);

    // From now on the time counts to phase.
    void Enter(FramePhase phase);
    // A frame has just reached the screen: its record closes and the next one opens, in the
    // same phase. The first record runs from the measuring's start.
    void Presented();

    std::uint64_t Shown() const { return shown_; }
    // The record closed last; all zero before the first frame is shown.
    const FrameTiming& Last() const { return last_; }
    // Frames a second over the recent frames, and the longest interval among them; 0 before a
    // frame is shown.
    double RecentRate() const;
    double RecentSlowestMs() const;

private:
    void Account(std::int64_t now);

    MicrosecondClock clock_;
    FramePhase phase_ = FramePhase::Simulation;
    std::int64_t phaseStart_;
    std::int64_t frameStart_;
    std::array<std::int64_t, kFramePhaseCount> spent_{};
    FrameTiming last_;
    std::array<double, kRecentFrames> recent_{};
    std::uint64_t shown_ = 0;
};

// The file --frame-times writes: a comment naming the columns, then one line per shown frame
// with the game's frame number and the record's milliseconds.
class FrameTimesLog {
public:
    FrameTimesLog() = default;
    ~FrameTimesLog();
    FrameTimesLog(const FrameTimesLog&) = delete;
    FrameTimesLog& operator=(const FrameTimesLog&) = delete;

    // False with the reason when the file cannot be made.
    bool Open(const std::string& path, std::string& error);
    bool IsOpen() const { return file_ != nullptr; }
    void Write(std::uint32_t frame, const FrameTiming& timing);
    // Ends the file with a comment giving the processor time the run used; false when something
    // written did not reach the file.
    bool Close(double processorSeconds);

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};
