#include "Shape.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace assetgen {

namespace {

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax;
    const float dy = by - ay;
    const float lengthSquared = dx * dx + dy * dy;
    float t = lengthSquared > 0.0f ? ((px - ax) * dx + (py - ay) * dy) / lengthSquared : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return Length(px - (ax + t * dx), py - (ay + t * dy));
}

Box Grow(const Box& b, float by) { return {b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }

Box Merge(const Box& a, const Box& b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

}  // namespace

Shape Circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return Length(x - cx, y - cy) - r; }, {cx - r, cy - r, cx + r, cy + r}};
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
    // Scaled-circle distance: exact on the axes and close enough elsewhere for edge smoothing.
    const float minR = std::min(rx, ry);
    return {[=](float x, float y) { return (Length((x - cx) / rx, (y - cy) / ry) - 1.0f) * minR; },
            {cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape Rect(float x0, float y0, float x1, float y1) { return RoundRect(x0, y0, x1, y1, 0.0f); }

Shape RoundRect(float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) * 0.5f;
    const float cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - radius;
    const float hy = (y1 - y0) * 0.5f - radius;
    return {[=](float x, float y) {
                const float qx = std::fabs(x - cx) - hx;
                const float qy = std::fabs(y - cy) - hy;
                const float outside = Length(std::max(qx, 0.0f), std::max(qy, 0.0f));
                return outside + std::min(std::max(qx, qy), 0.0f) - radius;
            },
            {x0, y0, x1, y1}};
}

Shape Capsule(float ax, float ay, float bx, float by, float r) {
    return {[=](float x, float y) { return SegmentDistance(x, y, ax, ay, bx, by) - r; },
            {std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r}};
}

Shape Polygon(std::vector<Point> points) {
    Box box{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
            std::numeric_limits<float>::lowest()};
    for (const Point& p : points) {
        box = Merge(box, {p.x, p.y, p.x, p.y});
    }
    return {[pts = std::move(points)](float x, float y) {
                float best = std::numeric_limits<float>::max();
                bool inside = false;
                for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                    const Point& a = pts[i];
                    const Point& b = pts[j];
                    best = std::min(best, SegmentDistance(x, y, a.x, a.y, b.x, b.y));
                    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
                        inside = !inside;
                    }
                }
                return inside ? -best : best;
            },
            box};
}

Shape Star(float cx, float cy, float outer, float inner, int points, float rotation) {
    std::vector<Point> corners;
    for (int i = 0; i < points * 2; ++i) {
        const float angle = rotation + static_cast<float>(i) * 3.14159265f / static_cast<float>(points);
        const float r = (i % 2 == 0) ? outer : inner;
        corners.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return Polygon(std::move(corners));
}

Shape RegularPolygon(float cx, float cy, float r, int sides, float rotation) {
    std::vector<Point> corners;
    for (int i = 0; i < sides; ++i) {
        const float angle = rotation + static_cast<float>(i) * 6.2831853f / static_cast<float>(sides);
        corners.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return Polygon(std::move(corners));
}

Shape Outline(const Shape& shape, float width) {
    const float half = width * 0.5f;
    return {[d = shape.distance, half](float x, float y) { return std::fabs(d(x, y)) - half; },
            Grow(shape.bounds, half)};
}

Shape Union(const Shape& a, const Shape& b) {
    return {[da = a.distance, db = b.distance](float x, float y) { return std::min(da(x, y), db(x, y)); },
            Merge(a.bounds, b.bounds)};
}

Shape Subtract(const Shape& a, const Shape& b) {
    return {[da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), -db(x, y)); }, a.bounds};
}

Shape Intersect(const Shape& a, const Shape& b) {
    const Box box{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
                  std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
    return {[da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), db(x, y)); }, box};
}

Shape Rotated(const Shape& shape, float cx, float cy, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const Box& b = shape.bounds;
    const float reach = std::max({Length(b.x0 - cx, b.y0 - cy), Length(b.x1 - cx, b.y0 - cy),
                                  Length(b.x0 - cx, b.y1 - cy), Length(b.x1 - cx, b.y1 - cy)});
    return {[d = shape.distance, cx, cy, c, s](float x, float y) {
                const float dx = x - cx;
                const float dy = y - cy;
                return d(cx + dx * c + dy * s, cy - dx * s + dy * c);
            },
            {cx - reach, cy - reach, cx + reach, cy + reach}};
}

Shape SmoothBlob(const std::vector<Point>& points, int stepsPerSegment) {
    std::vector<Point> curve;
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& p0 = points[(i + n - 1) % n];
        const Point& p1 = points[i];
        const Point& p2 = points[(i + 1) % n];
        const Point& p3 = points[(i + 2) % n];
        for (int k = 0; k < stepsPerSegment; ++k) {
            const float t = static_cast<float>(k) / static_cast<float>(stepsPerSegment);
            const float t2 = t * t;
            const float t3 = t2 * t;
            auto blend = [&](float a, float b, float c, float d) {
                return 0.5f * (2.0f * b + (-a + c) * t + (2.0f * a - 5.0f * b + 4.0f * c - d) * t2 +
                               (-a + 3.0f * b - 3.0f * c + d) * t3);
            };
            curve.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    return Polygon(std::move(curve));
}

}  // namespace assetgen
