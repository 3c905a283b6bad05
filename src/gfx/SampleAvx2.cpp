#include "gfx/SampleAvx2.h"

// Only this file is compiled for AVX2, and it shares no inline code with the others, so
// nothing built for AVX2 can reach a processor without it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")

namespace gfx {

namespace {

using Wide = __m256i;

constexpr int kFractionBits = 16;

int Low32(std::int64_t value) { return static_cast<int>(static_cast<std::uint32_t>(value)); }

// Four coordinates a step apart, for four pixels. The texel indices are worked out whole; of
// the coordinates only the low 32 bits travel in a register, which is all the fractions (bits
// 8 to 15) need.
class Four {
public:
    Four(std::int64_t start, std::int64_t step)
        : first_(start),
          step_(step),
          low_(_mm_setr_epi32(Low32(start), Low32(start + step), Low32(start + 2 * step), Low32(start + 3 * step))),
          lowStep_(_mm_set1_epi32(Low32(4 * step))) {}

    std::int64_t Index(int pixel) const { return (first_ + step_ * pixel) >> kFractionBits; }

    // The fraction of pixel 0 or 1 in every 16-bit lane of the low half, and of pixel 2 or 3
    // in the high half: the byte after the lowest of each coordinate, widened.
    template <int kPixel>
    Wide Fractions() const {
        constexpr short kZero = -0x8000;  // the top bit of a shuffle index clears its byte
        const Wide pick = _mm256_setr_m128i(_mm_set1_epi16(static_cast<short>(kZero | (4 * kPixel + 1))),
                                            _mm_set1_epi16(static_cast<short>(kZero | (4 * kPixel + 9))));
        return _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(low_), pick);
    }

    void Next() {
        first_ += 4 * step_;
        low_ = _mm_add_epi32(low_, lowStep_);
    }

private:
    std::int64_t first_;
    std::int64_t step_;
    __m128i low_;
    __m128i lowStep_;
};

Wide Splat16(std::uint32_t value) { return _mm256_set1_epi16(static_cast<short>(value)); }

Wide Complement(Wide weight) { return _mm256_sub_epi16(Splat16(256), weight); }

// (a * keep + b * take + 128) / 256 in every 16-bit lane.
Wide Lerp16(Wide a, Wide b, Wide keep, Wide take) {
    const Wide sum = _mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take));
    return _mm256_srli_epi16(_mm256_add_epi16(sum, Splat16(128)), 8);
}

// Lerp16 on packed pixels, by the weights of their widened low and high halves.
Wide LerpPacked(Wide a, Wide b, Wide takeLow, Wide takeHigh) {
    const Wide zero = _mm256_setzero_si256();
    return _mm256_packus_epi16(
        Lerp16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero), Complement(takeLow), takeLow),
        Lerp16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero), Complement(takeHigh), takeHigh));
}

// Neighbouring texels k and k + 1 for four pixels: pixels 0 and 1 in the low half, 2 and 3 in
// the high half, so that widening puts pixels 0 and 2, or 1 and 3, in one register.
Wide Pairs(const std::uint32_t* const (&rows)[4], const Four& columns) {
    const auto pair = [&](int i) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows[i] + columns.Index(i)));
    };
    return _mm256_setr_m128i(_mm_unpacklo_epi64(pair(0), pair(1)), _mm_unpacklo_epi64(pair(2), pair(3)));
}

// The widened pair of one pixel in each half: 256 - w on its first texel, w on its second.
Wide PairWeights(Wide take) { return _mm256_blend_epi16(Complement(take), take, 0xF0); }

// Blends the texel pairs of four pixels across, each by its own fraction.
__m128i Across(Wide pairs, const Four& columns) {
    const Wide zero = _mm256_setzero_si256();
    const Wide first = _mm256_mullo_epi16(_mm256_unpacklo_epi8(pairs, zero), PairWeights(columns.Fractions<0>()));
    const Wide second = _mm256_mullo_epi16(_mm256_unpackhi_epi8(pairs, zero), PairWeights(columns.Fractions<1>()));
    const Wide sum = _mm256_add_epi16(_mm256_unpacklo_epi64(first, second), _mm256_unpackhi_epi64(first, second));
    const Wide rounded = _mm256_srli_epi16(_mm256_add_epi16(sum, Splat16(128)), 8);
    const Wide packed = _mm256_packus_epi16(rounded, rounded);
    // Pixels 0 and 1 sit in the first 64-bit word, 2 and 3 in the third.
    return _mm256_castsi256_si128(_mm256_permute4x64_epi64(packed, 0x08));
}

Wide Load8(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
void Store8(std::uint32_t* p, Wide v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
void Store4(std::uint32_t* out, __m128i pixels) { _mm_storeu_si128(reinterpret_cast<__m128i*>(out), pixels); }

}  // namespace

int LerpRunAvx2(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t weight, int count, std::uint32_t* out) {
    int i = 0;
    if (weight == 128) {
        // Exactly halfway the blend is the rounded average.
        for (; i + 8 <= count; i += 8) {
            Store8(out + i, _mm256_avg_epu8(Load8(a + i), Load8(b + i)));
        }
    }
    const Wide take = Splat16(weight);
    for (; i + 8 <= count; i += 8) {
        Store8(out + i, LerpPacked(Load8(a + i), Load8(b + i), take, take));
    }
    return i;
}

int LerpNeighboursAvx2(const std::uint32_t* columns, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out) {
    const std::uint32_t* const rows[4] = {columns, columns, columns, columns};
    int i = 0;
    for (Four along(s, ds); i + 4 <= count; i += 4, along.Next()) {
        Store4(out + i, Across(Pairs(rows, along), along));
    }
    return i;
}

int BilinearRowAvx2(const std::uint32_t* top, const std::uint32_t* bottom, std::uint32_t fy, std::int64_t s,
                    std::int64_t ds, int count, std::uint32_t* out) {
    const std::uint32_t* const tops[4] = {top, top, top, top};
    const std::uint32_t* const bottoms[4] = {bottom, bottom, bottom, bottom};
    const Wide take = Splat16(fy);
    int i = 0;
    for (Four along(s, ds); i + 4 <= count; i += 4, along.Next()) {
        Store4(out + i, Across(LerpPacked(Pairs(tops, along), Pairs(bottoms, along), take, take), along));
    }
    return i;
}

int BilinearAvx2(const std::uint32_t* texels, int widthLog2, std::int64_t s, std::int64_t t, std::int64_t ds,
                 std::int64_t dt, int count, std::uint32_t* out) {
    const std::ptrdiff_t width = std::ptrdiff_t{1} << widthLog2;
    int i = 0;
    for (Four along(s, ds), down(t, dt); i + 4 <= count; i += 4, along.Next(), down.Next()) {
        const std::uint32_t* tops[4];
        const std::uint32_t* bottoms[4];
        for (int p = 0; p < 4; ++p) {
            tops[p] = texels + (static_cast<std::ptrdiff_t>(down.Index(p)) << widthLog2);
            bottoms[p] = tops[p] + width;
        }
        const Wide blended = LerpPacked(Pairs(tops, along), Pairs(bottoms, along), down.Fractions<0>(),
                                        down.Fractions<1>());
        Store4(out + i, Across(blended, along));
    }
    return i;
}

}  // namespace gfx

#pragma GCC pop_options

namespace gfx {
bool HasAvx2Sampling() { return __builtin_cpu_supports("avx2"); }
}  // namespace gfx

#else

namespace gfx {
bool HasAvx2Sampling() { return false; }
int LerpRunAvx2(const std::uint32_t*, const std::uint32_t*, std::uint32_t, int, std::uint32_t*) { return 0; }
int LerpNeighboursAvx2(const std::uint32_t*, std::int64_t, std::int64_t, int, std::uint32_t*) { return 0; }
int BilinearRowAvx2(const std::uint32_t*, const std::uint32_t*, std::uint32_t, std::int64_t, std::int64_t, int,
                    std::uint32_t*) {
    return 0;
}
int BilinearAvx2(const std::uint32_t*, int, std::int64_t, std::int64_t, std::int64_t, std::int64_t, int,
                 std::uint32_t*) {
    return 0;
}
}  // namespace gfx

#endif
