#include "platform/QuitMessage.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<bool> g_posted{false};
std::atomic<int> g_code{0};
}

void PostQuit(int exitCode) {
    g_code = exitCode;
    g_posted = true;
}

bool QuitPosted(int& exitCode) {
    if (!g_posted) {
        return false;
    }
    exitCode = g_code;
    return true;
}

void ClearQuit() {
    g_posted = false;
    g_code = 0;
}

}  // namespace platform
