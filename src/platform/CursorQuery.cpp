#include "platform/CursorQuery.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(VELMORIA_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#define VELMORIA_QUERY_X11 1
#endif

namespace platform {

void QueryCursor(SDL_Window* window, int& x, int& y) {
#ifdef __EMSCRIPTEN__
    // A page sees the pointer over its own canvas only, and the canvas has no place on a desktop
    // (SDL still gives it one, centred on the screen, which would shift every position).
    static_cast<void>(window);
    SDL_GetMouseState(&x, &y);
    return;
#endif
#ifdef VELMORIA_QUERY_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        ::Window root = 0;
        ::Window child = 0;
        int rootX = 0;
        int rootY = 0;
        unsigned int buttons = 0;
        if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX, &rootY, &x, &y,
                          &buttons) != 0) {
            return;
        }
    }
#endif
    int globalX = 0;
    int globalY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    int windowX = 0;
    int windowY = 0;
    SDL_GetWindowPosition(window, &windowX, &windowY);
    x = globalX - windowX;
    y = globalY - windowY;
}

}  // namespace platform
