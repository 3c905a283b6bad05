#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "gfx/SoftwareDevice.h"

namespace gfx {
class FrameRecorder;
}

// The pictures a run keeps: the screenshots the command line asks for and F12's, taken from the
// frame last shown, and the recordings of frames' device calls.
class KeptPictures {
public:
    explicit KeptPictures(const LaunchOptions& options) : options_(options) {}

    // Every run keeps its last frame on its way to next (the window, or nothing); the sink the
    // device's frames go to from here.
    gfx::FrameSink* KeepFrames(gfx::FrameSink* next);
    // With recordings asked for, puts the recorder over the device that was just started.
    void RecordDevice();
    // F12: the frame last shown is kept after the coming frame.
    void AskScreenshot() { screenshotWanted_ = true; }
    // Before the coming frame is drawn: records it when it is one to record. comingIsLast says
    // the coming frame is known to be the run's last.
    void BeforeFrame(std::uint32_t coming, bool comingIsLast);
    // After frame: the pictures asked for after it.
    void AfterFrame(std::uint32_t frame);
    // The screenshots asked for after frame; 0 is the black frame of the start-up.
    void WriteScreenshots(std::uint32_t frame);
    // After the run, which reached frame: the screenshots of its last frame, and a word for
    // every file asked for and not written.
    void Finish(std::uint32_t frame);
    // False when a screenshot or recording that was asked for could not be written.
    bool AllWritten() const { return allWritten_; }

private:
    // False, with the word on stderr, when the file could not be written.
    bool WriteLastFrame(const std::string& path);
    void WriteRequestedScreenshot();
    void WriteRecordings(std::uint32_t frame);
    // Whether the frame is the one the recording asked for.
    bool RecordedFrame(const LaunchOptions::FrameFile& file, std::uint32_t frame) const;

    const LaunchOptions& options_;
    std::optional<gfx::HeadlessFrameSink> keptFrames_;
    gfx::FrameRecorder* recorder_ = nullptr;  // owned by the device registry, when frames are recorded
    bool screenshotWanted_ = false;
    std::uint32_t lastFrame_ = 0;  // the run's last frame, once it was known ahead
    bool allWritten_ = true;
};
