#pragma once

struct SDL_Window;

namespace platform {

// Where the real cursor is, in pixels of the window's client area, wherever it is on the
// desktop. Asks the window system itself where it can (X11): SDL's own answer for a cursor
// outside every window of ours is only as fresh as the last event the desktop sent us. In a web
// browser, where the pointer is over the page's canvas.
void QueryCursor(SDL_Window* window, int& x, int& y);

}  // namespace platform
