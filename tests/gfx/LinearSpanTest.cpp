#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "PixelTestKit.h"
#include "gfx/PixelMath.h"
#include "gfx/RenderStates.h"
#include "gfx/SampleAvx2.h"
#include "gfx/TextureSampler.h"

namespace {

// The sampler filters long runs several pixels at a time, stepping coordinates incrementally
// and folding only where it must. These tests hold it to bilinear filtering (and point
// sampling) worked out texel by texel, on runs at random angles, scales and positions (seeded,
// so failures repeat).

int Fold(std::int64_t index, int size, std::uint32_t mode) {
    if (mode == gfx::TADDRESS_CLAMP) {
        return static_cast<int>(std::clamp<std::int64_t>(index, 0, size - 1));
    }
    const std::int64_t period = mode == gfx::TADDRESS_MIRROR ? 2 * size : size;
    const int folded = static_cast<int>(((index % period) + period) % period);
    return folded < size ? folded : 2 * size - 1 - folded;
}

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t x = (a >> shift) & 0xFF;
        const std::uint32_t y = (b >> shift) & 0xFF;
        result |= ((x * (256 - weight) + y * weight + 128) >> 8) << shift;
    }
    return result;
}

// Texel centres lie half a texel in; the weights are the top eight bits of the distance.
std::uint32_t Bilinear(const gfx::SamplerSetup& sampler, std::int64_t s, std::int64_t t) {
    const gfx::Texture& texture = *sampler.texture;
    const std::int64_t x = s - gfx::kTexelOne / 2;
    const std::int64_t y = t - gfx::kTexelOne / 2;
    const auto texel = [&](std::int64_t column, std::int64_t row) {
        return texture.Pixels()[Fold(row, texture.Height(), sampler.addressV) * texture.Width() +
                                Fold(column, texture.Width(), sampler.addressU)];
    };
    const std::int64_t column = x >> 16;
    const std::int64_t row = y >> 16;
    const auto fx = static_cast<std::uint32_t>((x >> 8) & 0xFF);
    const auto fy = static_cast<std::uint32_t>((y >> 8) & 0xFF);
    return Blend(Blend(texel(column, row), texel(column, row + 1), fy),
                 Blend(texel(column + 1, row), texel(column + 1, row + 1), fy), fx);
}

// Point sampling takes the texel the coordinate falls in.
std::uint32_t Nearest(const gfx::SamplerSetup& sampler, std::int64_t s, std::int64_t t) {
    const gfx::Texture& texture = *sampler.texture;
    return texture.Pixels()[Fold(t >> 16, texture.Height(), sampler.addressV) * texture.Width() +
                            Fold(s >> 16, texture.Width(), sampler.addressU)];
}

std::unique_ptr<gfx::Texture> Noise(int width, int height, std::uint32_t seed) {
    std::mt19937 random(seed);
    return MakeTexture(width, height, [&random](int, int) { return static_cast<std::uint32_t>(random()); });
}

struct SpanRun {
    std::int64_t s;
    std::int64_t t;
    std::int64_t ds;
    std::int64_t dt;
    int count;
};

// Counts the pixels of a run that differ from the reference, for every instruction set this
// processor runs.
int Mismatches(const gfx::SamplerSetup& sampler, const SpanRun& run) {
    int mismatches = 0;
    for (const gfx::InstructionSet set : {gfx::InstructionSet::Avx2, gfx::InstructionSet::Sse2, gfx::InstructionSet::Plain}) {
        if (!gfx::Uses(gfx::BestInstructionSet(), set)) {
            continue;
        }
        gfx::TextureSampler fast(set);
        std::array<std::uint32_t, gfx::kFrameWidth> buffer{};
        const std::uint32_t* out = fast.SampleSpan(sampler, run.s, run.t, run.ds, run.dt, run.count, buffer.data());
        for (int i = 0; i < run.count; ++i) {
            const std::int64_t s = run.s + run.ds * i;
            const std::int64_t t = run.t + run.dt * i;
            mismatches += out[i] != (sampler.linear ? Bilinear(sampler, s, t) : Nearest(sampler, s, t));
        }
    }
    return mismatches;
}

class LinearSpans : public ::testing::Test {
protected:
    // A coordinate anywhere from three textures before to three after, to any 1/65536 texel.
    std::int64_t Coordinate(int size) {
        return std::uniform_int_distribution<std::int64_t>(-3 * size * gfx::kTexelOne, 3 * size * gfx::kTexelOne)(random_);
    }
    std::int64_t Step(double most) {
        return static_cast<std::int64_t>(std::uniform_real_distribution<double>(-most, most)(random_) * gfx::kTexelOne);
    }
    int Count() { return std::uniform_int_distribution<int>(1, gfx::kFrameWidth)(random_); }

    void Check(const gfx::SamplerSetup& sampler, const SpanRun& run) {
        EXPECT_EQ(Mismatches(sampler, run), 0) << "s " << run.s << " t " << run.t << " ds " << run.ds << " dt " << run.dt
                                               << " count " << run.count << " address " << sampler.addressU;
    }

    std::mt19937 random_{20261206};
    std::unique_ptr<gfx::Texture> wide_ = Noise(64, 32, 1);
    std::unique_ptr<gfx::Texture> tall_ = Noise(16, 128, 2);
};

TEST_F(LinearSpans, RotatedRunsMatchTexelByTexelFiltering) {
    for (const std::uint32_t mode : {gfx::TADDRESS_MIRROR, gfx::TADDRESS_WRAP, gfx::TADDRESS_CLAMP}) {
        for (gfx::Texture* texture : {wide_.get(), tall_.get()}) {
            const gfx::SamplerSetup sampler{texture, true, mode, mode};
            for (int trial = 0; trial < 40; ++trial) {
                Check(sampler, {Coordinate(texture->Width()), Coordinate(texture->Height()), Step(3.0), Step(3.0),
                                Count()});
            }
        }
    }
}

TEST_F(LinearSpans, ScaledRowsMatchTexelByTexelFilteringOnEitherSideOfTwoTexelsAPixel) {
    for (const std::uint32_t mode : {gfx::TADDRESS_MIRROR, gfx::TADDRESS_WRAP, gfx::TADDRESS_CLAMP}) {
        for (gfx::Texture* texture : {wide_.get(), tall_.get()}) {
            const gfx::SamplerSetup sampler{texture, true, mode, mode};
            for (int trial = 0; trial < 60; ++trial) {
                // Short steps blend whole columns first; long ones filter each pixel's own texels.
                const double most = trial % 2 == 0 ? 2.0 : 8.0;
                Check(sampler, {Coordinate(texture->Width()), Coordinate(texture->Height()), Step(most), 0, Count()});
            }
        }
    }
}

TEST_F(LinearSpans, RunsInsideTheTextureMatchAtExactScalesAndBothDirections) {
    // Runs kept inside one repetition take the paths without folding; whole and half texel
    // steps hit the shortcuts for weights that repeat.
    const gfx::SamplerSetup sampler{wide_.get(), true, gfx::TADDRESS_MIRROR, gfx::TADDRESS_MIRROR};
    const std::int64_t one = gfx::kTexelOne;
    for (const std::int64_t ds : {one, -one, one / 2, 2 * one, -2 * one, 3 * one + 5, -(5 * one) / 2}) {
        for (const std::int64_t dt : {std::int64_t{0}, one / 3, -one / 7}) {
            for (int trial = 0; trial < 20; ++trial) {
                const int count = std::uniform_int_distribution<int>(1, 12)(random_);
                // Start far enough from the edges that every texel of the run is inside.
                const std::int64_t room = 60 * one - (ds < 0 ? -ds : ds) * count;
                const std::int64_t offset = std::uniform_int_distribution<std::int64_t>(0, room)(random_);
                const std::int64_t s = ds >= 0 ? one + offset : 63 * one - offset;
                Check(sampler, {s, 16 * one + (Coordinate(4) & 0x7FFFF), ds, dt, count});
            }
        }
    }
}

TEST_F(LinearSpans, StepsAtTheLimitsOfWhatTheVectorLoopsLoadTogetherMatch) {
    // Eight pixels' texels are loaded together when they lie within one or two registers, which
    // depends on the step: runs just inside and just past each limit, at every start within a
    // texel, keep the loads honest.
    const std::int64_t one = gfx::kTexelOne;
    for (const bool linear : {false, true}) {
        const gfx::SamplerSetup sampler{wide_.get(), linear, gfx::TADDRESS_CLAMP, gfx::TADDRESS_CLAMP};
        for (const std::int64_t sevenths : {5, 6, 7, 8, 13, 14, 15, 16}) {
            for (const std::int64_t nudge : {-1, 0, 1}) {
                const std::int64_t ds = sevenths * one / 7 + nudge;
                for (std::int64_t start = 0; start < one; start += one / 64 + 1) {
                    Check(sampler, {2 * one + start, 5 * one + one / 3, ds, 0, 16});
                    Check(sampler, {40 * one + start, 5 * one + one / 3, -ds, 0, 16});
                }
            }
        }
    }
}

TEST_F(LinearSpans, PointSampledRunsMatchTheTexelEachPixelFallsIn) {
    for (const std::uint32_t mode : {gfx::TADDRESS_MIRROR, gfx::TADDRESS_WRAP, gfx::TADDRESS_CLAMP}) {
        for (gfx::Texture* texture : {wide_.get(), tall_.get()}) {
            const gfx::SamplerSetup sampler{texture, false, mode, mode};
            for (int trial = 0; trial < 60; ++trial) {
                // Rotated runs, and rows on either side of two texels a pixel (the short steps read
                // a window of texels, the long ones each texel on its own).
                const std::int64_t dt = trial % 3 == 0 ? Step(3.0) : 0;
                const double most = trial % 2 == 0 ? 2.0 : 8.0;
                Check(sampler, {Coordinate(texture->Width()), Coordinate(texture->Height()), Step(most), dt, Count()});
            }
        }
    }
    // Whole steps inside the texture, as sprites drawn at a quarter of their size take.
    const gfx::SamplerSetup sampler{wide_.get(), false, gfx::TADDRESS_CLAMP, gfx::TADDRESS_CLAMP};
    for (const std::int64_t ds : {4 * gfx::kTexelOne, -4 * gfx::kTexelOne, 3 * gfx::kTexelOne + 7}) {
        for (int count = 1; count <= 14; ++count) {
            const std::int64_t s = ds > 0 ? gfx::kTexelOne / 3 : 63 * gfx::kTexelOne;
            Check(sampler, {s, 5 * gfx::kTexelOne, ds, 0, count});
        }
    }
}

}  // namespace

namespace {

// The vector lerp rounds through a high multiply rather than the scalar sum of products; it must
// agree on every pair of channel values at every weight, not only on the ones noise happens to hit.
TEST(VectorLerp, EqualsTheScalarLerpForEveryPairOfChannelValuesAndWeight) {
    if (!gfx::Uses(gfx::BestInstructionSet(), gfx::InstructionSet::Avx2)) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    // Pixel i pairs channel values i & 255 and i >> 8, in a different arrangement per channel.
    constexpr int kPairs = 256 * 256;
    std::vector<std::uint32_t> a(kPairs + gfx::kTexelReadAhead);
    std::vector<std::uint32_t> b(kPairs + gfx::kTexelReadAhead);
    for (std::uint32_t i = 0; i < kPairs; ++i) {
        const std::uint32_t x = i & 0xFF;
        const std::uint32_t y = i >> 8;
        a[i] = gfx::pixel::Pack(x, y, 255 - x, x ^ y);
        b[i] = gfx::pixel::Pack(y, x, 255 - y, x ^ 0x5A);
    }
    std::vector<std::uint32_t> out(kPairs);
    for (std::uint32_t weight = 0; weight < 256; ++weight) {
        ASSERT_EQ(gfx::LerpRunAvx2(a.data(), b.data(), weight, kPairs, out.data()), kPairs);
        int mismatches = 0;
        for (int i = 0; i < kPairs; ++i) {
            mismatches += out[i] != gfx::pixel::Lerp(a[i], b[i], weight);
        }
        EXPECT_EQ(mismatches, 0) << "weight " << weight;
    }
}

}  // namespace
