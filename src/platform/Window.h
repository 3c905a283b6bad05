#pragma once
#include <cstdint>
#include <memory>
#include <string>

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

// What the window hears from the window system and hands on: the input devices listen here.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // The cursor in frame pixels, not clamped.
    virtual void CursorMoved(int x, int y) = 0;
    // 0 left, 1 right, 2 middle, 3 and 4 the side buttons.
    virtual void ButtonChanged(int button, bool down) = 0;
    // By SDL scancode; auto-repeat is not a change and never arrives.
    virtual void KeyChanged(int sdlScancode, bool down) = 0;
    // The window gained or lost the keyboard focus; it starts focused.
    virtual void FocusChanged(bool focused) = 0;
};

// The one game window. Window mode: a client area of the frame's size, not resizable. Full
// screen: the desktop's mode with the frame scaled and letterboxed; the cursor is reported in
// frame pixels either way.
class Window final {
public:
    static std::unique_ptr<Window> Create(bool fullScreen, int frameWidth, int frameHeight, WindowEvents& events,
                                          std::string& error);
    ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Handles every waiting window-system event: close requests post the quit message, input and
    // focus changes go to the window's listener. True when at least one event came.
    bool PumpEvents();

    // The picture the desktop shows for the window: ARGB pixels, row after row.
    void SetIcon(const std::uint32_t* argb, int width, int height);

    bool Minimised() const;
    void ClientSize(int& width, int& height) const;

    // argb holds one frame, row after row. False when the picture could not be shown.
    bool ShowFrame(const std::uint32_t* argb);

private:
    explicit Window(WindowEvents& events) : events_(events) {}

    WindowEvents& events_;
    int frameWidth_ = 0;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* frame_ = nullptr;
};

}  // namespace platform
