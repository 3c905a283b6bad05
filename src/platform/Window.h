#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FrameScaler.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;

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

// How the enlarged picture reaches the screen. Through SDL's renderer the display's own hardware
// scales the frame; without a graphics processor (SDL's software renderer, or OpenGL drawn by the
// processor, as Mesa's llvmpipe does) scaling there costs more than drawing the game, so the
// game scales the frame itself straight into the window's pixels.
enum class PresentPath { Automatic, Renderer, WindowSurface };

// Why a window presents the way it does.
enum class PathReason {
    Asked,             // the path asked for
    Smooth,            // smooth filtering, which only a renderer does
    Accelerated,       // the renderer draws on a graphics processor
    DrawnByProcessor,  // the renderer would draw on the processor: the window's own pixels serve
    NoWindowPixels,    // the window has no pixels of its own the frame fits; the renderer serves
};

// How the window shows the frame: full screen or a window of a whole multiple of the frame's
// size, drawn with nearest-neighbour scaling or (smooth) linear filtering.
struct WindowLook {
    bool fullScreen = false;
    int scale = 1;
    bool smooth = false;
    // Automatic picks by what SDL reports; smooth filtering always goes through the renderer.
    PresentPath present = PresentPath::Automatic;
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
    // The largest whole multiple of the frame that fits width x height (at least the frame
    // itself), for a window in window mode; a web page's canvas follows the page's room so.
    void FitInto(int width, int height);

    // Puts the frame, enlarged, where the next PresentFrame shows it, and shows nothing yet:
    // the costly part of showing a frame, done as soon as the frame is drawn. argb holds one
    // frame, row after row. False when the picture could not be prepared.
    bool PrepareFrame(const std::uint32_t* argb);
    // Shows the frame prepared last, at once; nothing when the window's size changed since. False
    // when the window could not show it.
    bool PresentFrame();

    PresentPath Path() const { return path_; }
    // Why, and with what: the renderer SDL made ("opengl (llvmpipe ...)"), or why the window's
    // pixels could not serve.
    PathReason Reason() const { return reason_; }
    const std::string& ReasonDetail() const { return reasonDetail_; }
    // The window's pixels as the last prepared frame leaves them, row after row, XRGB.
    bool ReadPixels(std::vector<std::uint32_t>& pixels, int& width, int& height);

private:
    explicit Window(WindowEvents& events) : events_(events) {}

    bool CreateRenderer(bool smooth, std::string& error);
    void ChoosePath(PresentPath asked, bool smooth);
    bool PrepareOnSurface(const std::uint32_t* argb);
    bool PrepareOnRenderer();
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
    PresentPath path_ = PresentPath::Renderer;
    PathReason reason_ = PathReason::Asked;
    std::string reasonDetail_;
    FrameScaler scaler_;
    bool prepared_ = false;  // a frame was prepared since the window's pixels were last lost
};

}  // namespace platform
