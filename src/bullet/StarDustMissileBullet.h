#pragma once
#include "bullet/StraightBullet.h"
#include "object/LimitNumber.h"

// A missile that, after its one hit, squashes and fades out over a few frames while it drifts on
// at the reduced speed its tower gave it. A paused missile does not fade.
class StarDustMissileBullet : public StraightBullet {
public:
    StarDustMissileBullet();
    void Draw(int update) override;

    bool fading = false;
    // What is left of the missile, 255 (whole) .. 0 (gone).
    int FadeValue() const { return fade_.Get(); }

    static constexpr int kFadeStep = 20;
    // A fading missile becomes narrower and longer each frame.
    static constexpr float kSquashWidth = 0.92f;
    static constexpr float kStretchHeight = 1.03f;

private:
    LimitNumber fade_;
};
