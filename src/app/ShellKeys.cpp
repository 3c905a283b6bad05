#include "app/ShellKeys.h"

#include "input/KeyboardInput.h"

void ShellKeys::Read(const KeyboardInput& keyboard) {
    speed_.Take(keyboard.Key(dik::kTab) != 0);
    screenshot_.Take(keyboard.Key(dik::kF12) != 0);
    const bool alt = keyboard.Key(dik::kLeftAlt) != 0 || keyboard.Key(dik::kRightAlt) != 0;
    fullScreen_.Take(alt && keyboard.Key(dik::kReturn) != 0);
    help_.Take(keyboard.Key(dik::kF1) != 0);
    frameRate_.Take(keyboard.Key(dik::kF3) != 0);
}

bool ShellKeys::Watches(unsigned scanCode) {
    return scanCode == dik::kTab || scanCode == dik::kF12 || scanCode == dik::kReturn || scanCode == dik::kLeftAlt ||
           scanCode == dik::kRightAlt || scanCode == dik::kF1 ||
           scanCode == dik::kF3;
}
