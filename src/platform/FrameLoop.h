#pragma once
#include <functional>

// Who owns the frames. On the desktop the game's own loop runs until the game ends. In a web
// browser the page owns the main thread and calls the game once a frame; main returns at once
// and the run goes on from those calls.
namespace platform {

#ifdef __EMSCRIPTEN__
inline constexpr bool kPlatformOwnsFrames = true;
#else
inline constexpr bool kPlatformOwnsFrames = false;
#endif

// Calls `wake` once a frame until it returns false. In a browser it returns at once and the
// page makes the calls (never two at once); elsewhere it makes them itself, back to back.
void CallEachFrame(std::function<bool()> wake);

// Tells whoever started the game that the run ended, with its exit code: the page, in a browser.
void ReportRunEnded(int exitCode);

}  // namespace platform
