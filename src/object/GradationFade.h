#pragma once
#include "object/LimitNumber.h"
#include "object/Object2D.h"

// A full-screen coloured quad whose four corners fade independently: a gradient wipe for scene
// changes. Patterns 0..3 let the bottom, top, right or left edge lead.
class GradationFade : public Object2D {
public:
    // cover 1 fades in the colour (towards opaque), 0 fades it out. step = 2 * speed per frame.
    void Init(gfx::Device* device, int red, int green, int blue, int cover, int pattern, int speed, int hold);
    // Restarts the corners for a new direction.
    void Reset(int cover);
    // Draws one frame and advances; true once complete and the hold has run out.
    bool Update();

    int cover = 0;
    int pattern = 0;
    int step = 0;
    int hold = 0;  // frames to wait once complete
    // Alphas of vertex 1, 0, 2 and 3 in that order.
    LimitNumber corner[4];

private:
    void Advance();
    bool Complete() const;
};
