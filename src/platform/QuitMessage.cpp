#include "platform/QuitMessage.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<bool> g_posted{false};
std::atomic<bool> g_fatal{false};
std::atomic<int> g_code{0};
}

void PostQuit(int exitCode) {
    g_code = exitCode;
    g_posted = true;
}

void PostFatalQuit(int exitCode) {
    g_fatal = true;
    PostQuit(exitCode);
}

bool QuitPosted(int& exitCode) {
    if (!g_posted) {
        return false;
    }
    exitCode = g_code;
    return true;
}

bool FatalQuitPosted() { return g_fatal; }

void ClearQuit() {
    g_posted = false;
    g_fatal = false;
    g_code = 0;
}

}  // namespace platform
