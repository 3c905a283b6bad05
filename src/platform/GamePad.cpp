#include "platform/GamePad.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace platform {

struct GamePads::Opened {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
};

GamePads::GamePads() = default;
GamePads::~GamePads() { Stop(); }

namespace {

float StickValue(Sint16 raw) { return std::clamp(static_cast<float>(raw) / 32767.0f, -1.0f, 1.0f); }

}  // namespace

PadState Merge(const PadState& a, const PadState& b) {
    PadState both;
    for (std::size_t i = 0; i < kPadButtons; ++i) {
        both.buttons[i] = a.buttons[i] || b.buttons[i];
    }
    for (std::size_t i = 0; i < kPadAxes; ++i) {
        both.axes[i] = std::fabs(a.axes[i]) >= std::fabs(b.axes[i]) ? a.axes[i] : b.axes[i];
    }
    return both;
}

bool GamePads::Start(std::string& error) {
    if (started_) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        error = SDL_GetError();
        return false;
    }
    started_ = true;
    // The state is polled once a frame. Queued, a stick's stream of motion events would keep
    // the window's event pump busy and hold the frames back.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    Reconcile();
    return true;
}

void GamePads::Stop() {
    if (!started_) {
        return;
    }
    for (const std::unique_ptr<Opened>& pad : open_) {
        SDL_GameControllerClose(pad->controller);
    }
    open_.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

// SDL tells of controllers coming and going by SDL_CONTROLLERDEVICEADDED and ..REMOVED events;
// the window's event pump may have taken those already, so the device list they report on is
// read instead, which no drained queue can hide.
void GamePads::Reconcile() {
    for (auto it = open_.begin(); it != open_.end();) {
        if (SDL_GameControllerGetAttached((*it)->controller) == SDL_TRUE) {
            ++it;
            continue;
        }
        SDL_GameControllerClose((*it)->controller);
        it = open_.erase(it);
    }
    const int devices = SDL_NumJoysticks();
    for (int index = 0; index < devices; ++index) {
        if (SDL_IsGameController(index) != SDL_TRUE) {
            continue;
        }
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        const bool known = std::any_of(open_.begin(), open_.end(), [id](const std::unique_ptr<Opened>& pad) { return pad->id == id; });
        if (known) {
            continue;
        }
        if (SDL_GameController* controller = SDL_GameControllerOpen(index)) {
            open_.push_back(std::make_unique<Opened>(Opened{controller, id}));
        }
    }
}

PadState GamePads::Poll() {
    PadState state;
    if (!started_) {
        return state;
    }
    SDL_GameControllerUpdate();
    // The state is read here, not from events: a run without a window has no event pump, and its
    // queue must not fill up with them.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
    Reconcile();
    for (const std::unique_ptr<Opened>& pad : open_) {
        PadState one;
        for (std::size_t i = 0; i < kPadButtons; ++i) {
            one.buttons[i] =
                SDL_GameControllerGetButton(pad->controller, static_cast<SDL_GameControllerButton>(i)) != 0;
        }
        for (std::size_t i = 0; i < kPadAxes; ++i) {
            one.axes[i] = StickValue(SDL_GameControllerGetAxis(pad->controller, static_cast<SDL_GameControllerAxis>(i)));
        }
        state = Merge(state, one);
    }
    return state;
}

}  // namespace platform
