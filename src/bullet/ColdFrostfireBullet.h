#pragma once
#include "bullet/StraightBullet.h"

// A frost cloud: it swells and fades as it drifts, its reach growing as it fades, and it is gone
// once it has faded out. Its tower gives it a falling alpha pulse, which is its clock.
class ColdFrostfireBullet : public StraightBullet {
public:
    void Draw(int update) override;

    // The reach of a fresh cloud, and what it gains per point of alpha lost.
    static constexpr float kFreshHitRadius = 3.0f;
    static constexpr float kReachPerFade = 0.05f;
    // What the size gains per frame per point of alpha lost.
    static constexpr float kSwellPerFade = 0.01f;
};
