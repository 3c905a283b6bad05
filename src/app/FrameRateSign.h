#pragma once
#include <cstdint>

#include "object/Object2D.h"
#include "object/TextTexture.h"

class FrameTimes;
namespace gfx {
class Device;
}

// F3's small sign at the top of the frame: frames a second and the longest interval between
// shown frames over the last second. It is rewritten twice a second, not every frame, so that
// reading it does not change what it reads.
class FrameRateSign {
public:
    void Init(gfx::Device* device);
    // Shows a hidden sign and hides a shown one; it starts hidden.
    void Toggle();
    bool Shown() const { return shown_; }
    void Draw(gfx::Device* device, const FrameTimes& times);

private:
    void Print(double rate, double slowestMs);

    TextTexture text_;
    Object2D sprite_;
    std::uint64_t printedAt_ = 0;
    bool printed_ = false;
    bool ready_ = false;
    bool shown_ = false;
};
