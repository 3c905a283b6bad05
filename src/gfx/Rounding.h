#pragma once
#include <cmath>
#include <cstdint>

namespace gfx {

// std::llround (halves away from zero), without the library call for the values a draw meets.
// From a half up to 2^52 adding a half of the value's sign is exact or stays within the same
// whole number, so truncating the sum rounds halves away; below a half the result is 0, which
// also keeps 0.5 - 2^-54 right (its sum with a half rounds up to 1).
inline std::int64_t RoundHalfAway(double x) {
    constexpr double kExact = 4503599627370496.0;  // 2^52
    const double size = std::fabs(x);
    if (!(size < kExact)) {
        return std::llround(x);
    }
    const auto rounded = static_cast<std::int64_t>(x + std::copysign(0.5, x));
    return size < 0.5 ? 0 : rounded;
}

// Integer division rounding down and up, for a positive divisor.
inline std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    const std::int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

inline std::int64_t CeilDiv(std::int64_t n, std::int64_t d) { return -FloorDiv(-n, d); }

}  // namespace gfx
