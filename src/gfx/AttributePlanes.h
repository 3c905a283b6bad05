#pragma once
#include <cstdint>

namespace gfx {

// A value interpolated linearly over a triangle: base + dx * x + dy * y at pixel (x, y).
struct Plane {
    double base = 0.0;
    double dx = 0.0;
    double dy = 0.0;

    double At(double x, double y) const { return base + dx * x + dy * y; }
};

// Everything interpolated over one triangle. When the three vertices share one colour the
// colour planes are left alone and flatColour says so.
struct AttributePlanes {
    Plane u;
    Plane v;
    Plane alpha;
    Plane red;
    Plane green;
    Plane blue;
    bool flatColour = true;
    std::uint32_t colour = 0;
};

}  // namespace gfx
