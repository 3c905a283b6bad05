#pragma once
#include "object/Object2D.h"

// The turning marker over the locked-on enemy.
class LockonObj : public Object2D {
public:
    // Moves a tenth of the remaining way towards the point, so the marker glides onto a moving
    // enemy instead of jumping.
    void FollowTo(float targetX, float targetY);
};
