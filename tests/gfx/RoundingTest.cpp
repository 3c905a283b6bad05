#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "gfx/Rounding.h"

namespace {

// The span set-up rounds texel and colour coordinates with RoundHalfAway instead of
// std::llround; a single coordinate rounded the other way would shift a sprite by a texel, so
// they must agree on every value, above all around the halves.
std::vector<double> AroundHalves() {
    std::vector<double> values = {0.0, -0.0, 0.5 - std::ldexp(1.0, -54), std::ldexp(1.0, -1074), 4503599627370495.5};
    for (int exponent = -2; exponent <= 53; ++exponent) {
        const double whole = std::ldexp(1.0, exponent);
        for (const double base : {whole, whole - 1, whole + 1, whole * 3 / 2}) {
            for (const double offset : {0.0, 0.5, -0.5, 0.25, 0.75}) {
                const double x = std::floor(base) + offset;
                for (const double v : {x, std::nextafter(x, 0.0), std::nextafter(x, 1e300)}) {
                    values.push_back(v);
                    values.push_back(-v);
                }
            }
        }
    }
    return values;
}

TEST(Rounding, HalvesGoAwayFromZeroExactlyAsTheLibraryRoundsThem) {
    for (const double x : AroundHalves()) {
        EXPECT_EQ(gfx::RoundHalfAway(x), std::llround(x)) << std::hexfloat << x;
    }
}

TEST(Rounding, AgreesWithTheLibraryOnValuesOfEveryMagnitude) {
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> exponent(-60, 62);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    int mismatches = 0;
    for (int i = 0; i < 200000; ++i) {
        const double x = std::ldexp(mantissa(random), exponent(random));
        mismatches += gfx::RoundHalfAway(x) != std::llround(x);
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
