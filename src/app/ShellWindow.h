#pragma once
#include <memory>
#include <utility>

#include "gfx/SoftwareDevice.h"
#include "platform/Window.h"

// The window the frames are shown in, in a run that has one: the device's finished frames are
// made ready to show as soon as they are drawn, and shown at the start of the next frame's time.
class ShellWindow {
public:
    ShellWindow() = default;
    ShellWindow(const ShellWindow&) = delete;
    ShellWindow& operator=(const ShellWindow&) = delete;

    // Starts the desktop's video; false with the reason on stderr.
    bool StartVideo();
    // Opens the window wearing the game's crest; false with the reason on stderr.
    bool Open(const platform::WindowLook& look, platform::WindowEvents& events);
    // The window; null in a run without one.
    platform::Window* Window() const { return window_.get(); }
    // Where the device's frames go: the window.
    gfx::FrameSink* Frames() { return &frames_; }
    // Whether a drawn frame waits to be shown; it is then taken, for Show.
    bool TakePrepared() { return std::exchange(pending_, false); }
    // Shows the frame taken.
    void Show();
    // Closes the window, then the video.
    void Close();

private:
    class PreparedFrames final : public gfx::FrameSink {
    public:
        explicit PreparedFrames(ShellWindow& owner) : owner_(owner) {}
        bool ShowFrame(const std::uint32_t* argb) override;

    private:
        ShellWindow& owner_;
    };

    std::unique_ptr<platform::Window> window_;
    PreparedFrames frames_{*this};
    bool pending_ = false;       // a frame is prepared and waits to be shown
    bool videoStarted_ = false;
    bool showFailed_ = false;    // the window failed to show a frame, and the log says so
};
