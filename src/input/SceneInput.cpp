#include "input/SceneInput.h"

#include "input/KeyboardInput.h"
#include "input/MouseInput.h"

// The top row's 1..9 and 0 follow each other from 1 on.
const std::array<WatchedKeyCode, kWatchedKeyCount> kWatchedKeyCodes = {{
    {dik::k1, "1"}, {dik::k1 + 1, "2"}, {dik::k1 + 2, "3"}, {dik::k1 + 3, "4"}, {dik::k1 + 4, "5"},
    {dik::k1 + 5, "6"}, {dik::k1 + 6, "7"}, {dik::k1 + 7, "8"}, {dik::k1 + 8, "9"}, {dik::k0, "0"},
    {dik::kN, "N"}, {dik::kU, "U"}, {dik::kS, "S"}, {dik::kD, "D"}, {dik::kSpace, "Space"},
    {dik::kLeftShift, "LShift"},
}};

void CopyInput(const MouseInput& mouse, const KeyboardInput& keyboard, SceneContext& context) {
    for (int key = 0; key < kWatchedKeyCount; ++key) {
        context.SetKey(key, keyboard.Key(kWatchedKeyCodes[key].scanCode));
    }
    context.SetMouse(mouse.X(), mouse.Y());
    context.SetButtons(mouse.Button(0), mouse.Button(1));
}
