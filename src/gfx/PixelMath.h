#pragma once
#include <algorithm>
#include <cstdint>

// Channel arithmetic on packed ARGB8888 pixels, rounded the way the blending hardware rounds.
namespace gfx::pixel {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

constexpr std::uint32_t Alpha(std::uint32_t c) { return c >> 24; }
constexpr std::uint32_t Red(std::uint32_t c) { return (c >> 16) & 0xFF; }
constexpr std::uint32_t Green(std::uint32_t c) { return (c >> 8) & 0xFF; }
constexpr std::uint32_t Blue(std::uint32_t c) { return c & 0xFF; }

constexpr std::uint32_t Pack(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// x / 255 rounded to nearest; exact for 0 <= x <= 255 * 255.
constexpr std::uint32_t Div255(std::uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Channel by channel product of two colours, 255 standing for one.
constexpr std::uint32_t Modulate(std::uint32_t x, std::uint32_t y) {
    return Pack(Div255(Alpha(x) * Alpha(y)), Div255(Red(x) * Red(y)), Div255(Green(x) * Green(y)),
                Div255(Blue(x) * Blue(y)));
}

// Channel by channel sum, saturated at 255.
constexpr std::uint32_t AddSaturate(std::uint32_t x, std::uint32_t y) {
    const auto add = [](std::uint32_t a, std::uint32_t b) { return std::min(a + b, 255u); };
    return Pack(add(Alpha(x), Alpha(y)), add(Red(x), Red(y)), add(Green(x), Green(y)), add(Blue(x), Blue(y)));
}

// a + (b - a) * weight / 256 on every channel, rounded half up, weight 0..256. Halfway
// (weight 128) this is the rounded average of the two.
constexpr std::uint32_t Lerp(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t rb =
        (((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight + 0x00800080u) >> 8) & 0x00FF00FFu;
    const std::uint32_t ag =
        (((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * weight + 0x00800080u) & 0xFF00FF00u;
    return rb | ag;
}

}  // namespace gfx::pixel
