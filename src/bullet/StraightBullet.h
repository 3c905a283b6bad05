#pragma once
#include "bullet/MovingShot.h"
#include "object/Object2D.h"

// A shot that flies in a straight line under a constant velocity and an optional constant
// acceleration.
class StraightBullet : public MovingShot<Object2D> {
public:
    // The sprite's spare float is the hit radius the towers test against.
    void SetHitRadius(float hitRadius) { spare = hitRadius; }
    float HitRadius() const { return spare; }

    bool variant = false;  // a tag the firing tower may set and read back in its hit test
};
