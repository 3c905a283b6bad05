#include "bullet/LazerBullet.h"

#include <cmath>

bool BeamTouches(float ox, float oy, float dx, float dy, float px, float py, float r, float w, float length) {
    const float norm = std::sqrt(dx * dx + dy * dy);
    if (norm == 0.0f) {
        return false;
    }
    const float ux = dx / norm;
    const float uy = dy / norm;
    const float vx = px - ox;
    const float vy = py - oy;
    const float along = ux * vx + uy * vy;
    if (!(along > 0.0f)) {
        return false;
    }
    // The distance from the axis, |v| sin(acos(d.v / |v|)), taken as the cross product, which
    // keeps a point exactly r + w off a level or upright beam exactly there.
    const float aside = std::fabs(ux * vy - uy * vx);
    if (!(aside < r + w)) {
        return false;
    }
    return length < 0.0f || std::fabs(along) - r < length;
}
