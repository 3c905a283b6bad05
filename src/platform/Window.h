#pragma once
#include <memory>
#include <string>

#include "gfx/Device.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

// Starts SDL's video; false (with SDL's reason) when there is no display to open a window on.
bool StartVideo(std::string& error);
void StopVideo();

// Asks the player for full screen or window mode. True for full screen. Return picks full
// screen, Escape or closing the box picks window mode.
bool AskFullScreen();

// The one game window. Window mode: a 640 x 480 client area, not resizable. Full screen: the
// desktop's mode with the 640 x 480 frame scaled and letterboxed; the cursor is reported in
// frame pixels either way.
class Window final : public gfx::FrameSink {
public:
    static std::unique_ptr<Window> Create(bool fullScreen, std::string& error);
    ~Window() override;

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Handles every waiting window-system event: close requests post the quit message, key and
    // button changes go to the system input devices, focus changes acquire or drop them.
    // True when at least one event came.
    bool PumpEvents();

    // The picture the desktop shows for the window: ARGB pixels, row after row.
    void SetIcon(const std::uint32_t* argb, int width, int height);

    bool Minimised() const;
    void ClientSize(int& width, int& height) const;

    bool ShowFrame(const std::uint32_t* argb) override;

private:
    Window() = default;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* frame_ = nullptr;
};

}  // namespace platform
