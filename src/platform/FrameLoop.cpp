#include "platform/FrameLoop.h"

#include <utility>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#ifdef __EMSCRIPTEN__
// The page's own answer to the end of the run (page.js), when it has one.
EM_JS(void, velmoria_run_ended, (int exitCode), {
    if (Module.onRunEnded) Module.onRunEnded(exitCode);
});
#endif

namespace platform {

#ifdef __EMSCRIPTEN__

namespace {

std::function<bool()> g_wake;

void OnPageFrame() {
    if (!g_wake()) {
        emscripten_cancel_main_loop();
        g_wake = nullptr;  // after the call: the wake may own what it was running
    }
}

}  // namespace

void CallEachFrame(std::function<bool()> wake) {
    g_wake = std::move(wake);
    // The page's animation frames; main returns instead of the loop simulating an endless one.
    emscripten_set_main_loop(&OnPageFrame, 0, 0);
}

void ReportRunEnded(int exitCode) { velmoria_run_ended(exitCode); }

#else

void CallEachFrame(std::function<bool()> wake) {
    while (wake()) {
    }
}

void ReportRunEnded(int) {}

#endif

}  // namespace platform
