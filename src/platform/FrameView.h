#pragma once

namespace platform {

// Where the game's frame sits in a window or on the desktop, in window pixels. The window keeps
// a whole multiple of the frame; full screen shows the largest picture of the frame's shape
// that fits, letterboxed.
struct FrameView {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // The frame pixel under window pixel (windowX, windowY), rounded down; not clamped, so a
    // cursor left or above the picture gives negative numbers and one past it the frame's size.
    void WindowToFrame(int windowX, int windowY, int frameWidth, int frameHeight, int& frameX, int& frameY) const;
};

// The largest picture of the frame's shape in the area, centred.
FrameView FitFrame(int areaWidth, int areaHeight, int frameWidth, int frameHeight);

// The whole-number scale nearest to a window size someone dragged to (at least 1).
int SnapScale(int windowWidth, int windowHeight, int frameWidth, int frameHeight);

// The largest whole-number scale whose window fits two thirds of the desktop (at least 1).
int FittingScale(int desktopWidth, int desktopHeight, int frameWidth, int frameHeight);

}  // namespace platform
