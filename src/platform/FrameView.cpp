#include "platform/FrameView.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

// a / b rounded towards minus infinity, for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

void FrameView::WindowToFrame(int windowX, int windowY, int frameWidth, int frameHeight, int& frameX,
                              int& frameY) const {
    if (width <= 0 || height <= 0) {
        frameX = windowX;
        frameY = windowY;
        return;
    }
    frameX = static_cast<int>(FloorDiv(static_cast<std::int64_t>(windowX - x) * frameWidth, width));
    frameY = static_cast<int>(FloorDiv(static_cast<std::int64_t>(windowY - y) * frameHeight, height));
}

FrameView FitFrame(int areaWidth, int areaHeight, int frameWidth, int frameHeight) {
    FrameView view;
    if (areaWidth <= 0 || areaHeight <= 0 || frameWidth <= 0 || frameHeight <= 0) {
        return view;
    }
    // Compare the shapes in whole numbers: wider than the frame means bars left and right.
    if (static_cast<std::int64_t>(areaWidth) * frameHeight > static_cast<std::int64_t>(areaHeight) * frameWidth) {
        view.height = areaHeight;
        view.width = static_cast<int>(static_cast<std::int64_t>(areaHeight) * frameWidth / frameHeight);
    } else {
        view.width = areaWidth;
        view.height = static_cast<int>(static_cast<std::int64_t>(areaWidth) * frameHeight / frameWidth);
    }
    view.x = (areaWidth - view.width) / 2;
    view.y = (areaHeight - view.height) / 2;
    return view;
}

int SnapScale(int windowWidth, int windowHeight, int frameWidth, int frameHeight) {
    // The picture that fits the dragged size decides, rounded to the nearest multiple.
    const FrameView fit = FitFrame(windowWidth, windowHeight, frameWidth, frameHeight);
    return std::max(1, (fit.width + frameWidth / 2) / frameWidth);
}

int FittingScale(int desktopWidth, int desktopHeight, int frameWidth, int frameHeight) {
    const int byWidth = desktopWidth * 2 / 3 / frameWidth;
    const int byHeight = desktopHeight * 2 / 3 / frameHeight;
    return std::max(1, std::min(byWidth, byHeight));
}

}  // namespace platform
