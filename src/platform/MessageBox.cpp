#include "platform/MessageBox.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

#include "base/Language.h"
#include "platform/QuitMessage.h"

namespace platform {

namespace {
std::atomic<bool> g_dialogsEnabled{false};
constexpr const char* kDefaultCaption = N_MESSAGE("エラー");
}

void SetDialogsEnabled(bool enabled) { g_dialogsEnabled = enabled; }
bool DialogsEnabled() { return g_dialogsEnabled; }

void ShowMessage(const char* caption, const char* text) {
    // The player has been told why the game ends; what fails after it would only repeat that.
    if (FatalQuitPosted()) {
        return;
    }
    // Callers give the Japanese; the player reads it in the language in use.
    const char* shownCaption = Tr(caption != nullptr ? caption : kDefaultCaption);
    text = Tr(text);
    if (g_dialogsEnabled &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, shownCaption, text, nullptr) == 0) {
        return;
    }
    std::fprintf(stderr, "[%s] %s\n", shownCaption, text);
    std::fflush(stderr);
}

}  // namespace platform
