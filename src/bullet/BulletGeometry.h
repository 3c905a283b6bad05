#pragma once
#include <cmath>

// The geometry towers and bullets share.
namespace bullet {

// A sprite whose cell points up is turned by the direction of travel less a quarter turn.
constexpr float kQuarterTurn = 1.570796f;

struct Velocity {
    float vx;
    float vy;
    float angle;  // direction of travel, atan2 of the difference
};

// A velocity of `speed` from (fromX, fromY) towards (toX, toY).
inline Velocity VelocityTowards(float fromX, float fromY, float toX, float toY, float speed) {
    const float angle = std::atan2(toY - fromY, toX - fromX);
    return Velocity{std::cos(angle) * speed, std::sin(angle) * speed, angle};
}

inline float Distance(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

// Two circles touch when the sum of their radii reaches the distance of the centres; touching
// exactly counts.
inline bool CirclesTouch(float x1, float y1, float r1, float x2, float y2, float r2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const float reach = r1 + r2;
    return reach * reach >= dx * dx + dy * dy;
}

// Bullets whose centre leaves this box are removed.
constexpr float kCullLow = -60.0f;
constexpr float kCullHigh = 540.0f;

inline bool OutsideCullBox(float x, float y) { return x <= kCullLow || x >= kCullHigh || y <= kCullLow || y >= kCullHigh; }

}  // namespace bullet
