#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// The watched keys, in the order they are kept in the context.
enum WatchedKey : int {
    kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9, kKey0,
    kKeyN, kKeyU, kKeyS, kKeyD, kKeySpace, kKeyLeftShift,
    kWatchedKeyCount
};

struct KeyState {
    std::uint8_t pressed;  // 1 only in the frame the key went down
    std::uint8_t held;     // 1 while down
};

// The scene the program should be showing. Scenes ask for another screen by writing it.
enum class SceneCode : std::uint32_t {
    None = 0,  // an error: the switcher says so in every frame it stands
    StartUp = 1,
    Title = 2,
    Game = 3,
};

// The transition-mode word of the context. The switcher asks only whether it is Leaving; every
// other value keeps the last picture on screen while a scene loads. The battle scene doubles it
// as its run flag and hands it on as the update value of everything it draws.
enum class TransitionMode : std::uint32_t {
    // The battle stands still (pause menu open, stage over): everything is drawn, nothing moves.
    Frozen = 0,
    // The usual value: the field runs.
    Running = 1,
    // Set by no scene. As an update value it draws animations still on their current picture,
    // while input stays live; the battle's next-wave button ignores clicks in it as in Frozen.
    Still = 2,
    // A scene asked for another: the loading scene shows while it is built or released.
    Leaving = 3,
};

// The one record handed to every scene frame: which scene should run, the game request a scene
// leaves for the next one, and this frame's input.
struct SceneContext {
    SceneCode sceneCode = SceneCode::StartUp;
    std::uint8_t restart = 0;
    TransitionMode transitionMode = TransitionMode::Running;

    // Game request.
    std::uint32_t character = 0;
    std::uint32_t difficulty = 0;
    std::uint32_t stage = 0;
    std::uint8_t options[7] = {};

    // Input of this frame.
    KeyState keys[kWatchedKeyCount] = {};
    std::int32_t mouseX = 0;
    std::int32_t mouseY = 0;
    std::uint8_t leftPressed = 0;
    std::uint8_t rightPressed = 0;
    std::uint8_t leftHeld = 0;
    std::uint8_t rightHeld = 0;

    // What the shell keeps for the scenes. The guides over the battle are a player's choice
    // (the option screen writes it, the shell remembers it); they draw, and never change what
    // the battle does.
    bool guides = true;
    // Frames the battle runs per frame shown (1, 2 or 4), set by the shell before every frame.
    std::uint8_t battleSpeed = 1;
    // A scene sets this to ask for the battle's next speed, as Tab does; the shell clears it.
    std::uint8_t speedAsked = 0;
    // The game pad was the device used last: hints name its buttons instead of keys.
    bool padHints = false;

    // Where the things a frame lets the pointer press stand (each hit-tested button's centre):
    // the pad's d-pad steps between them. Hit tests see the context as const, and what they
    // leave here changes nothing a scene does, so the list is mutable; the shell empties it
    // before every frame.
    struct PointerSpot {
        std::int16_t x;
        std::int16_t y;
    };
    static constexpr std::size_t kMaxPointerSpots = 48;
    mutable std::array<PointerSpot, kMaxPointerSpots> pointerSpots{};
    mutable std::size_t pointerSpotCount = 0;
    // Kept once; beyond the list's room, dropped.
    void AddPointerSpot(int x, int y) const;
    void ClearPointerSpots() { pointerSpotCount = 0; }

    static constexpr std::int32_t kMouseMaxX = 640;
    static constexpr std::int32_t kMouseMaxY = 480;

    void SetKey(int key, std::uint8_t down) { Track(keys[key].pressed, keys[key].held, down); }
    void SetMouse(std::int32_t x, std::int32_t y);
    void SetButtons(std::uint8_t leftDown, std::uint8_t rightDown) {
        Track(leftPressed, leftHeld, leftDown);
        Track(rightPressed, rightHeld, rightDown);
    }
    // Both buttons and every key up, as after a frame in which the player let go of everything.
    void ReleaseAll() {
        SetButtons(0, 0);
        for (int key = 0; key < kWatchedKeyCount; ++key) {
            SetKey(key, 0);
        }
    }

private:
    // pressed = the new state when it differs from the held one, else 0; then held = new state.
    static void Track(std::uint8_t& pressed, std::uint8_t& held, std::uint8_t down) {
        pressed = (down != held) ? down : 0;
        held = down;
    }
};
