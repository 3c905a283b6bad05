#include "Paint.h"

#include <cmath>

namespace assetgen {

Color SampleStops(const std::vector<ColorStop>& stops, float t) {
    if (t <= stops.front().at) {
        return stops.front().color;
    }
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const float span = stops[i].at - stops[i - 1].at;
            return Mix(stops[i - 1].color, stops[i].color, span > 0.0f ? (t - stops[i - 1].at) / span : 1.0f);
        }
    }
    return stops.back().color;
}

Paint Solid(Color c) {
    return [c](float, float) { return c; };
}

Paint Linear(float x0, float y0, float x1, float y1, std::vector<ColorStop> stops) {
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float lengthSquared = dx * dx + dy * dy;
    return [=, s = std::move(stops)](float x, float y) {
        return SampleStops(s, ((x - x0) * dx + (y - y0) * dy) / lengthSquared);
    };
}

Paint Linear(float x0, float y0, Color c0, float x1, float y1, Color c1) {
    return Linear(x0, y0, x1, y1, {{0.0f, c0}, {1.0f, c1}});
}

Paint Radial(float cx, float cy, float r, std::vector<ColorStop> stops) {
    return [=, s = std::move(stops)](float x, float y) {
        return SampleStops(s, std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / r);
    };
}

Paint Radial(float cx, float cy, float r, Color inner, Color outer) {
    return Radial(cx, cy, r, {{0.0f, inner}, {1.0f, outer}});
}

}  // namespace assetgen
