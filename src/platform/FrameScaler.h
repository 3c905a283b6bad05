#pragma once
#include <cstdint>
#include <vector>

#include "platform/FrameView.h"

namespace platform {

// Enlarges the frame into a window-sized picture the way the display would with nearest-neighbour
// filtering: every window pixel in the view shows the frame pixel under it (the same mapping the
// cursor takes back), and the bars around the view are black. At a whole-number scale each frame
// pixel becomes a square of scale x scale window pixels.
class FrameScaler {
public:
    // target has height rows of pitch pixels each (pitch >= width); XRGB or ARGB, 32 bits.
    void Scale(const std::uint32_t* frame, int frameWidth, int frameHeight, std::uint32_t* target, int width,
               int height, int pitch);

private:
    void Refit(int frameWidth, int frameHeight, int width, int height);
    void ScaleRow(const std::uint32_t* source, std::uint32_t* row) const;

    FrameView view_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    int width_ = 0;
    int height_ = 0;
    int wholeScale_ = 0;             // the scale when the view is a whole multiple of the frame, else 0
    std::vector<int> columnSource_;  // the frame column under each column of the view
};

}  // namespace platform
