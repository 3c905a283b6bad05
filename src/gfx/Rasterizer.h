#pragma once
#include <cstdint>

namespace gfx {

class SpanRenderer;

// Rows first .. end - 1 of the frame.
struct RowBand {
    int first = 0;
    int end = 0;
};

// Turns a triangle strip of QuadVertex records, stride bytes apart, into runs of covered
// pixels with Direct3D 9's rules: pixel centres at integer coordinates, positions snapped to
// 1/256 pixel, the top-left fill rule (a pixel centre on an edge shared by two triangles is
// drawn exactly once), and every attribute interpolated linearly. Triangles with a position
// that is not a number or lies beyond the guard band (a million pixels off the frame) are
// skipped; everything else is clipped to the frame, and to the band of rows given. Rows are
// drawn alike whatever the band, so bands drawn apart make the same pixels as the whole frame.
void RasterizeStrip(const void* vertices, std::uint32_t stride, std::uint32_t triangles, RowBand band,
                    SpanRenderer& renderer);

// The rows a strip may touch, clipped to the frame: all of them when it has a vertex the
// rasteriser would skip, as the strip's other triangles may still draw.
RowBand StripRows(const void* vertices, std::uint32_t stride, std::uint32_t triangles);

}  // namespace gfx
