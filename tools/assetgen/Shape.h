#pragma once
#include <functional>
#include <vector>

namespace assetgen {

// Shapes are signed distance functions (negative inside, in pixels) with a bounding box, so
// every edge can be anti-aliased by its distance to the pixel centre.
struct Box {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
};

struct Shape {
    std::function<float(float, float)> distance;
    Box bounds;
};

struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape Rect(float x0, float y0, float x1, float y1);
Shape RoundRect(float x0, float y0, float x1, float y1, float radius);
Shape Capsule(float ax, float ay, float bx, float by, float r);
Shape Polygon(std::vector<Point> points);
Shape Star(float cx, float cy, float outer, float inner, int points, float rotation);
// A regular polygon with its first corner at the given angle (radians, 0 = right, y down).
Shape RegularPolygon(float cx, float cy, float r, int sides, float rotation);

// An outline of the given width centred on the shape's edge.
Shape Outline(const Shape& shape, float width);
Shape Union(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
// Turned by angle (radians, clockwise on screen) around (cx, cy).
Shape Rotated(const Shape& shape, float cx, float cy, float angle);
// A closed curve of segments (Catmull-Rom through the points), filled.
Shape SmoothBlob(const std::vector<Point>& points, int stepsPerSegment = 6);

}  // namespace assetgen
