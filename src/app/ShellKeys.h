#pragma once

class KeyboardInput;

// The keys the shell answers itself in every scene, read from the keyboard once per frame:
// Tab cycles the battle's speed, F12 takes a screenshot, Alt+Enter switches between window and
// full screen, F1 opens the list of keys, F3 shows or hides the frame-rate sign. Each is true in the frame its key went down only.
class ShellKeys {
public:
    void Read(const KeyboardInput& keyboard);
    // Whether the key (a DirectInput scan code) is one of the shell's.
    static bool Watches(unsigned scanCode);

    bool SpeedPressed() const { return speed_.pressed; }
    bool ScreenshotPressed() const { return screenshot_.pressed; }
    bool FullScreenPressed() const { return fullScreen_.pressed; }
    bool HelpPressed() const { return help_.pressed; }
    bool FrameRatePressed() const { return frameRate_.pressed; }

private:
    struct Edge {
        bool held = false;
        bool pressed = false;
        void Take(bool down) {
            pressed = down && !held;
            held = down;
        }
    };

    Edge speed_;
    Edge screenshot_;
    Edge fullScreen_;
    Edge help_;
    Edge frameRate_;
};
