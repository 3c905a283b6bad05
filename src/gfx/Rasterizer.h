#pragma once
#include <cstdint>

namespace gfx {

class SpanRenderer;

// Turns a triangle strip of QuadVertex records, stride bytes apart, into runs of covered
// pixels with Direct3D 9's rules: pixel centres at integer coordinates, positions snapped to
// 1/256 pixel, the top-left fill rule (a pixel centre on an edge shared by two triangles is
// drawn exactly once), and every attribute interpolated linearly. Triangles with a position
// that is not a number or lies beyond the guard band (a million pixels off the frame) are
// skipped; everything else is clipped to the frame.
void RasterizeStrip(const void* vertices, std::uint32_t stride, std::uint32_t triangles, SpanRenderer& renderer);

}  // namespace gfx
