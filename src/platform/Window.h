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

// How the window shows the frame: full screen or a window of a whole multiple of the frame's
// size, drawn with nearest-neighbour scaling or (smooth) linear filtering.
struct WindowLook {
    bool fullScreen = false;
    int scale = 1;
    bool smooth = false;
};

// The one game window. Window mode: a client area of a whole multiple of the frame's size;
// dragging its edge snaps to the nearest multiple. Full screen: the desktop's mode with the frame
// letterboxed. The cursor is reported in frame pixels either way, rounded down, not clamped.
class Window final {
public:
    static std::unique_ptr<Window> Create(const WindowLook& look, int frameWidth, int frameHeight,
                                          WindowEvents& events, std::string& error);
    ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The largest whole-number scale whose window fits two thirds of the desktop.
    static int DesktopFittingScale(int frameWidth, int frameHeight);

    // Handles every waiting window-system event: close requests post the quit message, input and
    // focus changes go to the window's listener. True when at least one event came.
    bool PumpEvents();
    // Hands the real cursor to the listener when it has moved (or the window has) since the last
    // call, wherever it is: the window system tells a window nothing of a cursor outside it with
    // no button held.
    void PollCursor();

    // The picture the desktop shows for the window: ARGB pixels, row after row.
    void SetIcon(const std::uint32_t* argb, int width, int height);

    // The desktop's mouse pointer over the window, shown or hidden (while a game pad drives the
    // game's own pointer).
    void ShowSystemCursor(bool shown);

    bool Minimised() const;
    void ClientSize(int& width, int& height) const;
    bool FullScreen() const;
    // The window's scale in window mode (kept while in full screen).
    int Scale() const { return scale_; }
    // Window to full screen and back, keeping the window's scale.
    void ToggleFullScreen();

    // argb holds one frame, row after row. False when the picture could not be shown.
    bool ShowFrame(const std::uint32_t* argb);

private:
    explicit Window(WindowEvents& events) : events_(events) {}

    void SizeChanged(int width, int height);
    void ReportCursor(int windowX, int windowY);

    WindowEvents& events_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    int scale_ = 1;
    int lastCursorX_ = 0;
    int lastCursorY_ = 0;
    bool cursorPolled_ = false;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* frame_ = nullptr;
};

}  // namespace platform
