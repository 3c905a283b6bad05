#include "gfx/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "gfx/AttributePlanes.h"
#include "gfx/Device.h"
#include "gfx/PixelMath.h"
#include "gfx/QuadVertex.h"
#include "gfx/Rounding.h"
#include "gfx/SpanRenderer.h"

namespace gfx {

namespace {

constexpr std::int64_t kSubpixelOne = 256;
constexpr double kGuardBand = 1 << 20;

// A vertex snapped to the subpixel grid. Snap fills every field, and a vertex it refuses is never
// read, so the arrays a strip is read into are left unset: clearing them for every strip was a
// measurable share of the rasteriser's time.
struct ScreenVertex {
    std::int64_t x;  // 1/256 pixel
    std::int64_t y;
    QuadVertex source;
};

// std::llrint without the library call: the conversion rounds by the current mode, as llrint
// does, and the guard band keeps every position it meets far inside 64 bits.
std::int64_t RoundToSubpixel(double position) {
#if defined(__SSE2__) && defined(__x86_64__)
    return _mm_cvtsd_si64(_mm_set_sd(position));
#else
    return std::llrint(position);
#endif
}

bool Snap(const QuadVertex& vertex, ScreenVertex& out) {
    // The comparisons are false for NaN, which is skipped with the out-of-range positions.
    if (!(std::fabs(vertex.x) <= kGuardBand && std::fabs(vertex.y) <= kGuardBand) || !std::isfinite(vertex.u) ||
        !std::isfinite(vertex.v)) {
        return false;
    }
    out.x = RoundToSubpixel(static_cast<double>(vertex.x) * kSubpixelOne);
    out.y = RoundToSubpixel(static_cast<double>(vertex.y) * kSubpixelOne);
    out.source = vertex;
    return true;
}

double ToPixels(std::int64_t fixed) { return static_cast<double>(fixed) / kSubpixelOne; }

AttributePlanes MakePlanes(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
    const double x0 = ToPixels(a.x);
    const double y0 = ToPixels(a.y);
    const double dx1 = ToPixels(b.x) - x0;
    const double dy1 = ToPixels(b.y) - y0;
    const double dx2 = ToPixels(c.x) - x0;
    const double dy2 = ToPixels(c.y) - y0;
    const double determinant = dx1 * dy2 - dx2 * dy1;
    const auto plane = [&](double f0, double f1, double f2) {
        Plane p;
        p.dx = ((f1 - f0) * dy2 - (f2 - f0) * dy1) / determinant;
        p.dy = ((f2 - f0) * dx1 - (f1 - f0) * dx2) / determinant;
        p.base = f0 - p.dx * x0 - p.dy * y0;
        return p;
    };
    const QuadVertex& va = a.source;
    const QuadVertex& vb = b.source;
    const QuadVertex& vc = c.source;
    AttributePlanes planes;
    planes.u = plane(va.u, vb.u, vc.u);
    planes.v = plane(va.v, vb.v, vc.v);
    planes.flatColour = va.diffuse == vb.diffuse && va.diffuse == vc.diffuse;
    planes.colour = va.diffuse;
    if (!planes.flatColour) {
        const auto channel = [&](std::uint32_t (*get)(std::uint32_t)) {
            return plane(get(va.diffuse), get(vb.diffuse), get(vc.diffuse));
        };
        planes.alpha = channel(pixel::Alpha);
        planes.red = channel(pixel::Red);
        planes.green = channel(pixel::Green);
        planes.blue = channel(pixel::Blue);
    }
    return planes;
}

// One edge's limit on the pixels of each row, E(X, Y) = a X + b Y + c >= 0 inside, walked row
// by row with a running quotient so that no row needs a division.
class EdgeWalker {
public:
    EdgeWalker(const ScreenVertex& from, const ScreenVertex& to, int firstRow) {
        const std::int64_t a = from.y - to.y;
        const std::int64_t b = to.x - from.x;
        const std::int64_t c = -(a * from.x + b * from.y);
        // Top and left edges own the pixel centres that lie exactly on them.
        const bool ownsBoundary = a > 0 || (a == 0 && b > 0);
        perPixel_ = a * kSubpixelOne;
        perRow_ = b * kSubpixelOne;
        value_ = perRow_ * firstRow + c - (ownsBoundary ? 0 : 1);
        if (perPixel_ != 0) {
            const std::int64_t divisor = perPixel_ > 0 ? perPixel_ : -perPixel_;
            divisor_ = divisor;
            quotient_ = FloorDiv(value_, divisor);
            remainder_ = value_ - quotient_ * divisor;
            quotientStep_ = FloorDiv(perRow_, divisor);
            remainderStep_ = perRow_ - quotientStep_ * divisor;
        }
    }

    // Narrows [left, right) to the pixels of the current row inside this edge.
    void Clip(std::int64_t& left, std::int64_t& right) const {
        if (perPixel_ > 0) {
            left = std::max(left, -quotient_);
        } else if (perPixel_ < 0) {
            right = std::min(right, quotient_ + 1);
        } else if (value_ < 0) {
            right = left;
        }
    }

    void NextRow() {
        value_ += perRow_;
        quotient_ += quotientStep_;
        remainder_ += remainderStep_;
        if (remainder_ >= divisor_) {
            remainder_ -= divisor_;
            ++quotient_;
        }
    }

private:
    std::int64_t perPixel_ = 0;
    std::int64_t perRow_ = 0;
    std::int64_t value_ = 0;
    std::int64_t divisor_ = 1;
    std::int64_t quotient_ = 0;
    std::int64_t remainder_ = 0;
    std::int64_t quotientStep_ = 0;
    std::int64_t remainderStep_ = 0;
};

// Rows whose pixel centres lie within [top, bottom], clipped to the band; empty when first > last.
void RowRange(std::int64_t top, std::int64_t bottom, RowBand band, int& first, int& last) {
    first = static_cast<int>(std::max<std::int64_t>(CeilDiv(top, kSubpixelOne), band.first));
    last = static_cast<int>(std::min<std::int64_t>(FloorDiv(bottom, kSubpixelOne), band.end - 1));
}

void RasterizeTriangle(const ScreenVertex& a, ScreenVertex b, ScreenVertex c, RowBand band, SpanRenderer& renderer) {
    const std::int64_t area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (area == 0) {
        return;
    }
    if (area < 0) {
        std::swap(b, c);
    }
    if (std::max({a.x, b.x, c.x}) < 0 || std::min({a.x, b.x, c.x}) >= kFrameWidth * kSubpixelOne) {
        return;
    }
    int firstRow = 0;
    int lastRow = 0;
    RowRange(std::min({a.y, b.y, c.y}), std::max({a.y, b.y, c.y}), band, firstRow, lastRow);
    if (firstRow > lastRow) {
        return;
    }
    renderer.SetPlanes(MakePlanes(a, b, c));
    EdgeWalker edges[3] = {{a, b, firstRow}, {b, c, firstRow}, {c, a, firstRow}};
    for (int y = firstRow; y <= lastRow; ++y) {
        std::int64_t left = 0;
        std::int64_t right = kFrameWidth;
        for (EdgeWalker& edge : edges) {
            edge.Clip(left, right);
            edge.NextRow();
        }
        if (left < right) {
            renderer.DrawSpan(y, static_cast<int>(left), static_cast<int>(right));
        }
    }
}

bool Affine(double first, double second, double third, double fourth) {
    return std::fabs(second + third - first - fourth) <= 1e-6 * std::max({1.0, std::fabs(first), std::fabs(fourth)});
}

// A strip of four vertices that makes an axis-aligned rectangle with attributes on one plane
// covers exactly the pixel centres in [left, right) x [top, bottom): one pass instead of two
// triangles, and row runs with constant texture rows.
bool TryRectangle(const ScreenVertex (&v)[4], RowBand band, SpanRenderer& renderer) {
    const bool rowsFirst = v[1].y == v[0].y && v[1].x == v[3].x && v[2].x == v[0].x && v[2].y == v[3].y;
    const bool columnsFirst = v[1].x == v[0].x && v[1].y == v[3].y && v[2].y == v[0].y && v[2].x == v[3].x;
    if (!(rowsFirst || columnsFirst) || v[0].x == v[3].x || v[0].y == v[3].y) {
        return false;
    }
    const auto affine = [&](auto get) {
        return Affine(get(v[0].source), get(v[1].source), get(v[2].source), get(v[3].source));
    };
    if (!affine([](const QuadVertex& q) { return q.u; }) || !affine([](const QuadVertex& q) { return q.v; })) {
        return false;
    }
    for (const auto channel : {pixel::Alpha, pixel::Red, pixel::Green, pixel::Blue}) {
        if (!affine([channel](const QuadVertex& q) { return channel(q.diffuse); })) {
            return false;
        }
    }
    const auto [left, right] = std::minmax(v[0].x, v[3].x);
    const auto [top, bottom] = std::minmax(v[0].y, v[3].y);
    const std::int64_t x0 = std::max<std::int64_t>(CeilDiv(left, kSubpixelOne), 0);
    const std::int64_t x1 = std::min<std::int64_t>(CeilDiv(right, kSubpixelOne), kFrameWidth);
    int firstRow = 0;
    int lastRow = 0;
    // The bottom edge owns no pixel centres: step it back by one subpixel.
    RowRange(top, bottom - 1, band, firstRow, lastRow);
    if (x0 >= x1 || firstRow > lastRow) {
        return true;
    }
    renderer.SetPlanes(MakePlanes(v[0], v[1], v[2]));
    renderer.DrawRectangle(firstRow, lastRow, static_cast<int>(x0), static_cast<int>(x1));
    return true;
}

QuadVertex ReadVertex(const std::uint8_t* bytes, std::uint32_t stride, std::uint32_t index) {
    QuadVertex vertex;
    std::memcpy(&vertex, bytes + static_cast<std::size_t>(stride) * index, sizeof vertex);
    return vertex;
}

}  // namespace

void RasterizeStrip(const void* vertices, std::uint32_t stride, std::uint32_t triangles, RowBand band,
                    SpanRenderer& renderer) {
    if (vertices == nullptr || stride < sizeof(QuadVertex) || triangles == 0) {
        return;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(vertices);
    if (triangles == 2) {
        ScreenVertex quad[4];
        bool snapped = true;
        for (std::uint32_t i = 0; i < 4; ++i) {
            snapped = Snap(ReadVertex(bytes, stride, i), quad[i]) && snapped;
        }
        if (snapped && TryRectangle(quad, band, renderer)) {
            return;
        }
    }
    // A window of three vertices slides along the strip; a vertex that cannot be snapped
    // drops the triangles it belongs to.
    ScreenVertex window[3];
    bool valid[3] = {};
    for (std::uint32_t i = 0; i < triangles + 2; ++i) {
        valid[i % 3] = Snap(ReadVertex(bytes, stride, i), window[i % 3]);
        if (i >= 2 && valid[0] && valid[1] && valid[2]) {
            RasterizeTriangle(window[(i - 2) % 3], window[(i - 1) % 3], window[i % 3], band, renderer);
        }
    }
}

RowBand StripRows(const void* vertices, std::uint32_t stride, std::uint32_t triangles) {
    if (vertices == nullptr || stride < sizeof(QuadVertex) || triangles == 0) {
        return {};
    }
    const auto* bytes = static_cast<const std::uint8_t*>(vertices);
    std::int64_t top = 0;
    std::int64_t bottom = 0;
    for (std::uint32_t i = 0; i < triangles + 2; ++i) {
        ScreenVertex vertex;
        if (!Snap(ReadVertex(bytes, stride, i), vertex)) {
            return {0, kFrameHeight};
        }
        top = i == 0 ? vertex.y : std::min(top, vertex.y);
        bottom = i == 0 ? vertex.y : std::max(bottom, vertex.y);
    }
    int firstRow = 0;
    int lastRow = 0;
    RowRange(top, bottom, {0, kFrameHeight}, firstRow, lastRow);
    if (firstRow > lastRow) {
        return {};
    }
    return {firstRow, lastRow + 1};
}

}  // namespace gfx
