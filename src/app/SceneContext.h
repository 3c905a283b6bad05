#pragma once
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

// The one record handed to every scene frame: which scene should run, the game request a scene
// leaves for the next one, and this frame's input.
struct SceneContext {
    std::uint32_t sceneCode = 1;
    std::uint8_t restart = 0;
    // 3 = show the loading scene while a loader runs; any other value keeps the last picture.
    // The game scene also uses it as its run flag.
    std::uint32_t transitionMode = 1;

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

    static constexpr std::int32_t kMouseMaxX = 640;
    static constexpr std::int32_t kMouseMaxY = 480;

    void SetKey(int key, std::uint8_t down) { Track(keys[key].pressed, keys[key].held, down); }
    void SetMouse(std::int32_t x, std::int32_t y);
    void SetButtons(std::uint8_t leftDown, std::uint8_t rightDown) {
        Track(leftPressed, leftHeld, leftDown);
        Track(rightPressed, rightHeld, rightDown);
    }

private:
    // pressed = the new state when it differs from the held one, else 0; then held = new state.
    static void Track(std::uint8_t& pressed, std::uint8_t& held, std::uint8_t down) {
        pressed = (down != held) ? down : 0;
        held = down;
    }
};
