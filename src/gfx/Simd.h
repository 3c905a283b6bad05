#pragma once
// Four pixels at a time where the processor has SSE2 (every x86-64 does). Each routine here
// gives exactly the result of the scalar routine it speeds up; on other processors the scalar
// loops do all the work.
#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstdint>

#define VELMORIA_SIMD 1

namespace gfx::simd {

using Pixels = __m128i;  // four ARGB pixels, or two pixels widened to 16 bits a channel

inline Pixels Load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(std::uint32_t* p, Pixels v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline Pixels Splat(std::uint32_t c) { return _mm_set1_epi32(static_cast<int>(c)); }
inline Pixels Splat16(std::uint32_t value) { return _mm_set1_epi16(static_cast<short>(value)); }

// The first two and the last two pixels, one channel per 16-bit lane.
inline Pixels WidenLow(Pixels v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
inline Pixels WidenHigh(Pixels v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }
inline Pixels Narrow(Pixels low, Pixels high) { return _mm_packus_epi16(low, high); }

// Each widened pixel's alpha in all four of its lanes.
inline Pixels SpreadAlpha(Pixels wide) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(wide, 0xFF), 0xFF); }

// x / 255 rounded to nearest in every 16-bit lane, for x up to 255 * 255: with t = x + 128,
// (t * 257) >> 16 equals (t + (t >> 8)) >> 8.
inline Pixels Div255(Pixels x) { return _mm_mulhi_epu16(_mm_add_epi16(x, Splat16(128)), Splat16(257)); }

// Lanes 0-3 hold 256 - weight and lanes 4-7 weight: the factors of a widened pair of pixels.
inline Pixels PairWeights(std::uint32_t weight) {
    const Pixels spread = _mm_set1_epi16(static_cast<short>(weight));
    return _mm_add_epi16(_mm_xor_si128(spread, _mm_set_epi32(0, 0, -1, -1)), _mm_set_epi16(0, 0, 0, 0, 257, 257, 257, 257));
}

// Adds the two weighted pixels of each widened pair: the low lanes of the result hold
// first.low + first.high, the high lanes second.low + second.high, rounded, over 256.
inline Pixels SumPairs(Pixels first, Pixels second) {
    const Pixels sum = _mm_add_epi16(_mm_unpacklo_epi64(first, second), _mm_unpackhi_epi64(first, second));
    return _mm_srli_epi16(_mm_add_epi16(sum, Splat16(128)), 8);
}

// (a * keep + b * weight + 128) / 256 in every lane, keep + weight = 256.
inline Pixels Lerp(Pixels a, Pixels b, Pixels keep, Pixels weight) {
    const Pixels sum = _mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, weight));
    return _mm_srli_epi16(_mm_add_epi16(sum, Splat16(128)), 8);
}

// Lerp on four packed pixels.
inline Pixels LerpPacked(Pixels a, Pixels b, Pixels keep, Pixels weight) {
    return Narrow(Lerp(WidenLow(a), WidenLow(b), keep, weight), Lerp(WidenHigh(a), WidenHigh(b), keep, weight));
}

// The instructions the blending kernels use, four pixels to a register.
struct Sse2 {
    using Pixels = simd::Pixels;
    static constexpr int kPixels = 4;
    // No masked loads and stores: the last pixels of a run are the caller's.
    static constexpr bool kMaskedTail = false;
    static constexpr bool kMultipliesBytePairs = false;

    static Pixels Load(const std::uint32_t* p) { return simd::Load(p); }
    static void Store(std::uint32_t* p, Pixels v) { simd::Store(p, v); }
    static Pixels Splat(std::uint32_t c) { return simd::Splat(c); }
    static Pixels Splat16(std::uint32_t v) { return simd::Splat16(v); }
    template <std::uint32_t kValue>
    static Pixels Constant() {
        return simd::Splat(kValue);
    }
    template <std::uint16_t kValue>
    static Pixels Constant16() {
        return simd::Splat16(kValue);
    }
    static Pixels WidenLow(Pixels v) { return simd::WidenLow(v); }
    static Pixels WidenHigh(Pixels v) { return simd::WidenHigh(v); }
    static Pixels Narrow(Pixels low, Pixels high) { return simd::Narrow(low, high); }
    static Pixels Div255(Pixels x) { return simd::Div255(x); }
    static Pixels Mul16(Pixels a, Pixels b) { return _mm_mullo_epi16(a, b); }
    static Pixels Add16(Pixels a, Pixels b) { return _mm_add_epi16(a, b); }
    static Pixels Sub16(Pixels a, Pixels b) { return _mm_sub_epi16(a, b); }
    static Pixels AddSaturate8(Pixels a, Pixels b) { return _mm_adds_epu8(a, b); }
    static Pixels And(Pixels a, Pixels b) { return _mm_and_si128(a, b); }
    static Pixels Or(Pixels a, Pixels b) { return _mm_or_si128(a, b); }
    static Pixels AndNot(Pixels mask, Pixels b) { return _mm_andnot_si128(mask, b); }
    static Pixels Add32(Pixels a, Pixels b) { return _mm_add_epi32(a, b); }
    static Pixels Equal32(Pixels a, Pixels b) { return _mm_cmpeq_epi32(a, b); }
    static bool AllOnes(Pixels mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
    static bool AllZero(Pixels v) { return AllOnes(_mm_cmpeq_epi32(v, _mm_setzero_si128())); }
    // The alpha of each pixel of the widened low or high half, in all four of its lanes.
    static Pixels AlphaLow(Pixels v) { return simd::SpreadAlpha(WidenLow(v)); }
    static Pixels AlphaHigh(Pixels v) { return simd::SpreadAlpha(WidenHigh(v)); }
    // For pixels of alpha 0 or 255: the source where opaque, the target where clear.
    static Pixels OpaqueOrTarget(Pixels s, Pixels d) {
        const Pixels opaque = _mm_srai_epi32(s, 31);
        return Or(And(opaque, s), AndNot(opaque, d));
    }
};

}  // namespace gfx::simd
#endif
