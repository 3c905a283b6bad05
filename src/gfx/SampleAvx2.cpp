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
// A 16-bit value repeated in the four lanes of a 64-bit word.
constexpr std::uint64_t kFourLanes = 0x0001000100010001u;

struct Texel {
    std::int64_t index;
    std::uint64_t fraction;  // weight of the second texel, 0..255
};

Texel At(std::int64_t coordinate) {
    return {coordinate >> kFractionBits, static_cast<std::uint64_t>(coordinate >> (kFractionBits - 8)) & 0xFF};
}

Wide Splat16(std::uint32_t value) { return _mm256_set1_epi16(static_cast<short>(value)); }

// (a * keep + b * take + 128) / 256 in every 16-bit lane.
Wide Lerp16(Wide a, Wide b, Wide keep, Wide take) {
    const Wide sum = _mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take));
    return _mm256_srli_epi16(_mm256_add_epi16(sum, Splat16(128)), 8);
}

// Lerp16 on packed pixels; keep and take hold the weights of the pixels' widened halves.
Wide LerpPacked(Wide a, Wide b, Wide keepLow, Wide takeLow, Wide keepHigh, Wide takeHigh) {
    const Wide zero = _mm256_setzero_si256();
    return _mm256_packus_epi16(
        Lerp16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero), keepLow, takeLow),
        Lerp16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero), keepHigh, takeHigh));
}

// Neighbouring texels k and k + 1 for four pixels: pixels 0 and 1 in the low half, 2 and 3 in
// the high half, so that widening puts pixels 0 and 2, or 1 and 3, in one register.
Wide Pairs(const std::uint32_t* const (&rows)[4], const Texel (&texels)[4]) {
    const auto pair = [&](int i) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows[i] + texels[i].index)); };
    return _mm256_set_m128i(_mm_unpacklo_epi64(pair(2), pair(3)), _mm_unpacklo_epi64(pair(0), pair(1)));
}

// Each 128-bit half weights the widened pair of one pixel: 256 - w on its first texel, w on
// its second.
Wide PairWeights(std::uint64_t low, std::uint64_t high) {
    return _mm256_set_epi64x(static_cast<long long>(high * kFourLanes), static_cast<long long>((256 - high) * kFourLanes),
                             static_cast<long long>(low * kFourLanes), static_cast<long long>((256 - low) * kFourLanes));
}

// Each 128-bit half gives all eight lanes of one pixel the same weight.
Wide Spread(std::uint64_t low, std::uint64_t high) {
    return _mm256_set_epi64x(static_cast<long long>(high * kFourLanes), static_cast<long long>(high * kFourLanes),
                             static_cast<long long>(low * kFourLanes), static_cast<long long>(low * kFourLanes));
}

// Blends the texel pairs of four pixels across, each by its own fraction.
__m128i Across(Wide pairs, const Texel (&texels)[4]) {
    const Wide zero = _mm256_setzero_si256();
    const Wide first = _mm256_mullo_epi16(_mm256_unpacklo_epi8(pairs, zero), PairWeights(texels[0].fraction, texels[2].fraction));
    const Wide second = _mm256_mullo_epi16(_mm256_unpackhi_epi8(pairs, zero), PairWeights(texels[1].fraction, texels[3].fraction));
    const Wide sum = _mm256_add_epi16(_mm256_unpacklo_epi64(first, second), _mm256_unpackhi_epi64(first, second));
    const Wide rounded = _mm256_srli_epi16(_mm256_add_epi16(sum, Splat16(128)), 8);
    const Wide packed = _mm256_packus_epi16(rounded, rounded);
    // Pixels 0 and 1 sit in the first 64-bit word, 2 and 3 in the third.
    return _mm256_castsi256_si128(_mm256_permute4x64_epi64(packed, 0x08));
}

Wide Load8(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
void Store8(std::uint32_t* p, Wide v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
void Store4(std::uint32_t* out, __m128i pixels) { _mm_storeu_si128(reinterpret_cast<__m128i*>(out), pixels); }

// Runs four pixels at a time along s, handing each group its texels to filter.
template <typename Filter>
int FourAtATime(std::int64_t s, std::int64_t ds, int count, std::uint32_t* out, Filter filter) {
    int i = 0;
    for (; i + 4 <= count; i += 4, s += 4 * ds) {
        const Texel texels[4] = {At(s), At(s + ds), At(s + 2 * ds), At(s + 3 * ds)};
        Store4(out + i, filter(i, texels));
    }
    return i;
}

}  // namespace

int LerpRunAvx2(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t weight, int count, std::uint32_t* out) {
    int i = 0;
    if (weight == 128) {
        // Exactly halfway the blend is the rounded average.
        for (; i + 8 <= count; i += 8) {
            Store8(out + i, _mm256_avg_epu8(Load8(a + i), Load8(b + i)));
        }
    }
    const Wide keep = Splat16(256 - weight);
    const Wide take = Splat16(weight);
    for (; i + 8 <= count; i += 8) {
        Store8(out + i, LerpPacked(Load8(a + i), Load8(b + i), keep, take, keep, take));
    }
    return i;
}

int LerpNeighboursAvx2(const std::uint32_t* columns, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out) {
    const std::uint32_t* const rows[4] = {columns, columns, columns, columns};
    return FourAtATime(s, ds, count, out, [&](int, const Texel(&texels)[4]) { return Across(Pairs(rows, texels), texels); });
}

int BilinearRowAvx2(const std::uint32_t* top, const std::uint32_t* bottom, std::uint32_t fy, std::int64_t s,
                    std::int64_t ds, int count, std::uint32_t* out) {
    const std::uint32_t* const tops[4] = {top, top, top, top};
    const std::uint32_t* const bottoms[4] = {bottom, bottom, bottom, bottom};
    const Wide keep = Splat16(256 - fy);
    const Wide take = Splat16(fy);
    return FourAtATime(s, ds, count, out, [&](int, const Texel(&texels)[4]) {
        return Across(LerpPacked(Pairs(tops, texels), Pairs(bottoms, texels), keep, take, keep, take), texels);
    });
}

int BilinearAvx2(const std::uint32_t* texels, int widthLog2, std::int64_t s, std::int64_t t, std::int64_t ds,
                 std::int64_t dt, int count, std::uint32_t* out) {
    const std::ptrdiff_t width = std::ptrdiff_t{1} << widthLog2;
    return FourAtATime(s, ds, count, out, [&](int i, const Texel(&columns)[4]) {
        const std::int64_t at = t + dt * i;
        const Texel rows[4] = {At(at), At(at + dt), At(at + 2 * dt), At(at + 3 * dt)};
        const std::uint32_t* tops[4];
        const std::uint32_t* bottoms[4];
        for (int p = 0; p < 4; ++p) {
            tops[p] = texels + (static_cast<std::ptrdiff_t>(rows[p].index) << widthLog2);
            bottoms[p] = tops[p] + width;
        }
        const Wide pairsDown = LerpPacked(Pairs(tops, columns), Pairs(bottoms, columns),
                                          Spread(256 - rows[0].fraction, 256 - rows[2].fraction),
                                          Spread(rows[0].fraction, rows[2].fraction),
                                          Spread(256 - rows[1].fraction, 256 - rows[3].fraction),
                                          Spread(rows[1].fraction, rows[3].fraction));
        return Across(pairsDown, columns);
    });
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
