#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>
#endif

#include "base/Language.h"
#include "platform/CursorQuery.h"
#include "platform/FrameView.h"
#include "platform/QuitMessage.h"

namespace platform {

namespace {
constexpr const char* kTitle = "Velmoria";

#ifdef __EMSCRIPTEN__
// A web page's canvas is the game's one window, which the page asks to fit the room it has.
Window* g_pageWindow = nullptr;
#endif

int MouseButtonNumber(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    case SDL_BUTTON_X2: return 4;
    default: return -1;
    }
}
// The name OpenGL gives the renderer that draws for SDL's current context.
std::string OpenGlRendererName() {
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

// Mesa's drivers that run on the processor name themselves so.
bool DrawnByProcessor(const std::string& openGlRenderer) {
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
        if (openGlRenderer.find(software) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// 32-bit pixels with red, green and blue where the frame keeps them.
bool TakesFramePixels(const SDL_Surface* surface) {
    return surface->format->format == SDL_PIXELFORMAT_ARGB8888 || surface->format->format == SDL_PIXELFORMAT_RGB888;
}

#if defined(__SANITIZE_ADDRESS__)
// LeakSanitizer looks for leaks when the process ends. SDL's video shutdown closes the display,
// and with it the GL driver its renderer loaded (Mesa's swrast_dri.so under Xvfb) is unloaded:
// what the driver still keeps from its globals is then held from memory that is gone, reported
// as leaked with frames in no module, which no suppression can name. In the sanitizer build every
// library loaded so far stays mapped till the end, so such memory counts as held, as it is, and
// the check at exit still sees everything the game itself loses.
void KeepLibrariesMapped() {
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* list) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
                static_cast<std::vector<std::string>*>(list)->emplace_back(info->dlpi_name);
            }
            return 0;
        },
        &names);
    for (const std::string& name : names) {
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}
#else
void KeepLibrariesMapped() {}
#endif

}  // namespace

bool StartVideo(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    // Without a display SDL falls back to drivers that show nothing; the player would stare at
    // a window that does not exist. Those count as "no display" unless asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (invisible && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = "no display";
        return false;
    }
    return true;
}

void StopVideo() {
    KeepLibrariesMapped();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool AskFullScreen() {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, Tr(N_MESSAGE("フルスクリーン"))},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 2, Tr(N_MESSAGE("ウィンドウ"))},
    };
    const SDL_MessageBoxData box = {
        SDL_MESSAGEBOX_INFORMATION, nullptr, kTitle, Tr(N_MESSAGE("ウィンドウモードを選んで下さい")),
        SDL_arraysize(buttons), buttons, nullptr,
    };
    int choice = 2;
    if (SDL_ShowMessageBox(&box, &choice) != 0) {
        return false;
    }
    return choice == 1;
}

std::unique_ptr<Window> Window::Create(const WindowLook& look, int frameWidth, int frameHeight,
                                       WindowEvents& events, std::string& error) {
    std::unique_ptr<Window> window(new Window(events));
    window->frameWidth_ = frameWidth;
    window->frameHeight_ = frameHeight;
    window->scale_ = std::max(1, look.scale);
    const Uint32 flags = SDL_WINDOW_RESIZABLE | (look.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window->window_ = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                       frameWidth * window->scale_, frameHeight * window->scale_, flags);
    if (window->window_ == nullptr) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_SetWindowMinimumSize(window->window_, frameWidth, frameHeight);
    if (look.present != PresentPath::WindowSurface || look.smooth) {
        if (!window->CreateRenderer(look.smooth, error)) {
            return nullptr;
        }
    }
    window->ChoosePath(look.present, look.smooth);
    if (window->path_ == PresentPath::Renderer && window->renderer_ == nullptr &&
        !window->CreateRenderer(look.smooth, error)) {
        return nullptr;
    }
    SDL_ShowWindow(window->window_);
    SDL_RaiseWindow(window->window_);
    events.FocusChanged(true);
#ifdef __EMSCRIPTEN__
    g_pageWindow = window.get();
#endif
    return window;
}

bool Window::CreateRenderer(bool smooth, std::string& error) {
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) {
        error = SDL_GetError();
        return false;
    }
    frame_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, frameWidth_,
                               frameHeight_);
    if (frame_ == nullptr) {
        error = SDL_GetError();
        return false;
    }
    SDL_SetTextureScaleMode(frame_, smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return true;
}

// Without being told, the renderer stays when the display's hardware does its drawing, and gives
// way to the window's own pixels when the processor would. A window without pixels of its own
// (or of another layout than the frame's) keeps the renderer.
void Window::ChoosePath(PresentPath asked, bool smooth) {
    path_ = PresentPath::Renderer;
    reason_ = smooth ? PathReason::Smooth : PathReason::Asked;
    if (smooth || asked == PresentPath::Renderer) {
        return;
    }
    if (asked == PresentPath::Automatic) {
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(renderer_, &info);
        const std::string name = info.name != nullptr ? info.name : "";
        const std::string openGl = name.rfind("opengl", 0) == 0 ? OpenGlRendererName() : "";
        const bool accelerated = (info.flags & SDL_RENDERER_ACCELERATED) != 0 && name != "software";
        reasonDetail_ = openGl.empty() ? name : name + " (" + openGl + ")";
        if (accelerated && !DrawnByProcessor(openGl)) {
            reason_ = PathReason::Accelerated;
            return;
        }
        reason_ = PathReason::DrawnByProcessor;
        SDL_DestroyTexture(frame_);
        SDL_DestroyRenderer(renderer_);
        frame_ = nullptr;
        renderer_ = nullptr;
    }
    // The window system's own pixels, not a renderer SDL would put behind them.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface != nullptr && TakesFramePixels(surface)) {
        path_ = PresentPath::WindowSurface;
        return;
    }
    reason_ = PathReason::NoWindowPixels;
    reasonDetail_ = surface == nullptr ? SDL_GetError() : SDL_GetPixelFormatName(surface->format->format);
}

int Window::DesktopFittingScale(int frameWidth, int frameHeight) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return 1;
    }
    return FittingScale(mode.w, mode.h, frameWidth, frameHeight);
}

Window::~Window() {
#ifdef __EMSCRIPTEN__
    if (g_pageWindow == this) {
        g_pageWindow = nullptr;
    }
#endif
    if (frame_ != nullptr) {
        SDL_DestroyTexture(frame_);
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
}

bool Window::PumpEvents() {
    bool any = false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        any = true;
        switch (event.type) {
        case SDL_QUIT:
            PostQuit(0);
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                PostQuit(0);
            } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                events_.FocusChanged(false);
            } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                events_.FocusChanged(true);
            } else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                // The window's pixels go with its old size.
                prepared_ = prepared_ && path_ == PresentPath::Renderer;
                SizeChanged(event.window.data1, event.window.data2);
            } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED && prepared_) {
                // The window system lost what was shown (while the game stands still, nothing
                // else would bring it back).
                if (path_ == PresentPath::Renderer) {
                    PrepareOnRenderer();
                }
                PresentFrame();
            }
            break;
        case SDL_MOUSEMOTION:
            ReportCursor(event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            ReportCursor(event.button.x, event.button.y);
            const int button = MouseButtonNumber(event.button.button);
            if (button >= 0) {
                events_.ButtonChanged(button, event.type == SDL_MOUSEBUTTONDOWN);
            }
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.repeat == 0) {
                events_.KeyChanged(event.key.keysym.scancode, event.type == SDL_KEYDOWN);
            }
            break;
        default:
            break;
        }
    }
    return any;
}

void Window::PollCursor() {
    int x = 0;
    int y = 0;
    QueryCursor(window_, x, y);
    if (cursorPolled_ && x == lastCursorX_ && y == lastCursorY_) {
        return;
    }
    cursorPolled_ = true;
    lastCursorX_ = x;
    lastCursorY_ = y;
    ReportCursor(x, y);
}

void Window::ReportCursor(int windowX, int windowY) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    int frameX = 0;
    int frameY = 0;
    FitFrame(width, height, frameWidth_, frameHeight_).WindowToFrame(windowX, windowY, frameWidth_, frameHeight_,
                                                                     frameX, frameY);
    events_.CursorMoved(frameX, frameY);
}

// A window dragged to any size takes the nearest whole multiple of the frame, so every frame
// pixel stays the same number of window pixels.
void Window::SizeChanged(int width, int height) {
    if (FullScreen()) {
        return;
    }
    scale_ = SnapScale(width, height, frameWidth_, frameHeight_);
    if (width != frameWidth_ * scale_ || height != frameHeight_ * scale_) {
        SDL_SetWindowSize(window_, frameWidth_ * scale_, frameHeight_ * scale_);
    }
}

void Window::FitInto(int width, int height) {
    if (FullScreen()) {
        return;
    }
    const int scale = std::max(1, std::min(width / frameWidth_, height / frameHeight_));
    if (scale != scale_) {
        // The window tells of its new size as if dragged to it, which takes the scale.
        SDL_SetWindowSize(window_, frameWidth_ * scale, frameHeight_ * scale);
    }
}

bool Window::FullScreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; }

void Window::ToggleFullScreen() {
    if (FullScreen()) {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, frameWidth_ * scale_, frameHeight_ * scale_);
    } else {
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

void Window::SetIcon(const std::uint32_t* argb, int width, int height) {
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(argb), width, height, 32,
                                                           width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (icon != nullptr) {
        SDL_SetWindowIcon(window_, icon);
        SDL_FreeSurface(icon);
    }
}

void Window::ShowSystemCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

bool Window::Minimised() const {
    const Uint32 flags = SDL_GetWindowFlags(window_);
    return (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

void Window::ClientSize(int& width, int& height) const { SDL_GetWindowSize(window_, &width, &height); }

bool Window::PrepareFrame(const std::uint32_t* argb) {
    if (path_ == PresentPath::WindowSurface) {
        return PrepareOnSurface(argb);
    }
    if (SDL_UpdateTexture(frame_, nullptr, argb, frameWidth_ * 4) != 0) {
        return false;
    }
    return PrepareOnRenderer();
}

bool Window::PrepareOnRenderer() {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) {
        return false;
    }
    const FrameView view = FitFrame(width, height, frameWidth_, frameHeight_);
    const SDL_Rect target = {view.x, view.y, view.width, view.height};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    prepared_ = SDL_RenderCopy(renderer_, frame_, nullptr, &target) == 0;
    return prepared_;
}

// A window resized since the last frame has new pixels: asking for them again gets those.
bool Window::PrepareOnSurface(const std::uint32_t* argb) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) {
        return false;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return false;
    }
    scaler_.Scale(argb, frameWidth_, frameHeight_, static_cast<std::uint32_t*>(surface->pixels), surface->w,
                  surface->h, surface->pitch / 4);
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    prepared_ = true;
    return true;
}

bool Window::PresentFrame() {
    if (!prepared_) {
        return true;  // resized since: the next frame fills the new size
    }
    if (path_ == PresentPath::WindowSurface) {
        return SDL_UpdateWindowSurface(window_) == 0;
    }
    SDL_RenderPresent(renderer_);
    return true;
}

bool Window::ReadPixels(std::vector<std::uint32_t>& pixels, int& width, int& height) {
    if (path_ == PresentPath::WindowSurface) {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr) {
            return false;
        }
        width = surface->w;
        height = surface->h;
        pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            std::memcpy(pixels.data() + static_cast<std::ptrdiff_t>(y) * width,
                        static_cast<const std::uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch,
                        static_cast<std::size_t>(width) * sizeof(std::uint32_t));
        }
        return true;
    }
    // The renderer's picture is read back before it is shown: it is drawn afresh for the reading.
    if (!PrepareOnRenderer() || SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) {
        return false;
    }
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) == 0;
}

}  // namespace platform

#ifdef __EMSCRIPTEN__
// Called by the page (page.js) when the browser's window is resized or goes full screen.
extern "C" EMSCRIPTEN_KEEPALIVE void velmoria_fit_window(int width, int height) {
    if (platform::g_pageWindow != nullptr) {
        platform::g_pageWindow->FitInto(width, height);
    }
}
#endif
