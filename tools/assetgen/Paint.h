#pragma once
#include <functional>
#include <vector>

#include "Color.h"

namespace assetgen {

// What fills a shape: a colour for every point.
using Paint = std::function<Color(float, float)>;

struct ColorStop {
    float at = 0.0f;
    Color color;
};

Paint Solid(Color c);
Paint Linear(float x0, float y0, float x1, float y1, std::vector<ColorStop> stops);
Paint Linear(float x0, float y0, Color c0, float x1, float y1, Color c1);
Paint Radial(float cx, float cy, float r, std::vector<ColorStop> stops);
Paint Radial(float cx, float cy, float r, Color inner, Color outer);
Color SampleStops(const std::vector<ColorStop>& stops, float t);

}  // namespace assetgen
