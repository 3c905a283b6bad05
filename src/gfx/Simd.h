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

// x / 255 rounded to nearest in every 16-bit lane, for x up to 255 * 255.
inline Pixels Div255(Pixels x) {
    x = _mm_add_epi16(x, Splat16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

// (a * keep + b * weight) / 256 in every lane, keep + weight = 256.
inline Pixels Lerp(Pixels a, Pixels b, Pixels keep, Pixels weight) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, weight)), 8);
}

// Lerp on four packed pixels.
inline Pixels LerpPacked(Pixels a, Pixels b, Pixels keep, Pixels weight) {
    return Narrow(Lerp(WidenLow(a), WidenLow(b), keep, weight), Lerp(WidenHigh(a), WidenHigh(b), keep, weight));
}

}  // namespace gfx::simd
#endif
