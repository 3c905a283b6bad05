#pragma once
#include <algorithm>
#include <cstdint>

namespace assetgen {

// A colour with straight (not premultiplied) alpha, every channel 0..1.
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

inline Color Rgb(int r, int g, int b, float a = 1.0f) {
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f, a};
}

inline Color WithAlpha(Color c, float a) {
    c.a = a;
    return c;
}

inline Color Mix(const Color& x, const Color& y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

// Lighter (amount > 0) or darker (amount < 0), keeping alpha.
inline Color Shade(const Color& c, float amount) {
    const Color target = amount > 0.0f ? Color{1, 1, 1, c.a} : Color{0, 0, 0, c.a};
    return Mix(c, target, std::min(1.0f, amount > 0.0f ? amount : -amount));
}

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

}  // namespace assetgen
