#include "gfx/KernelsAvx2.h"

// Only this file is compiled for AVX2, and it shares no inline code with the others, so
// nothing built for AVX2 can reach a processor without it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")

#include "gfx/BlendKernels.h"
#include "gfx/LaneConstants.h"
#include "gfx/StageKernels.h"

namespace gfx {

namespace {

struct Avx2 {
    using Pixels = __m256i;
    static constexpr int kPixels = 8;

    static Pixels Load(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void Store(std::uint32_t* p, Pixels v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    // The last pixels of a run in the first lanes of a register: the other lanes are neither
    // read nor written.
    static constexpr bool kMaskedTail = true;
    static Pixels FirstLanes(int count) {
        return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    }
    static Pixels LoadFirst(const std::uint32_t* p, Pixels lanes) {
        return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), lanes);
    }
    static void StoreFirst(std::uint32_t* p, Pixels lanes, Pixels v) {
        _mm256_maskstore_epi32(reinterpret_cast<int*>(p), lanes, v);
    }
    static Pixels Splat(std::uint32_t c) { return _mm256_set1_epi32(static_cast<int>(c)); }
    static Pixels Splat16(std::uint32_t v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    // A constant in every 32-bit or 16-bit lane, read from memory (see gfx/LaneConstants.h).
    template <std::uint32_t kValue>
    static Pixels Constant() {
        return Load(reinterpret_cast<const std::uint32_t*>(Lanes32<kValue>::kLanes));
    }
    template <std::uint16_t kValue>
    static Pixels Constant16() {
        return Load(reinterpret_cast<const std::uint32_t*>(Lanes16<kValue>::kLanes));
    }
    // Widening and narrowing work within each 128-bit half; narrowing undoes widening.
    static Pixels WidenLow(Pixels v) { return _mm256_unpacklo_epi8(v, _mm256_setzero_si256()); }
    static Pixels WidenHigh(Pixels v) { return _mm256_unpackhi_epi8(v, _mm256_setzero_si256()); }
    static Pixels Narrow(Pixels low, Pixels high) { return _mm256_packus_epi16(low, high); }
    static Pixels Div255(Pixels x) {
        return _mm256_mulhi_epu16(_mm256_add_epi16(x, Constant16<128>()), Constant16<257>());
    }
    static Pixels Mul16(Pixels a, Pixels b) { return _mm256_mullo_epi16(a, b); }
    static Pixels Add16(Pixels a, Pixels b) { return _mm256_add_epi16(a, b); }
    static Pixels Sub16(Pixels a, Pixels b) { return _mm256_sub_epi16(a, b); }
    static Pixels AddSaturate8(Pixels a, Pixels b) { return _mm256_adds_epu8(a, b); }
    static Pixels And(Pixels a, Pixels b) { return _mm256_and_si256(a, b); }
    static Pixels Or(Pixels a, Pixels b) { return _mm256_or_si256(a, b); }
    static Pixels AndNot(Pixels mask, Pixels b) { return _mm256_andnot_si256(mask, b); }
    static Pixels Add32(Pixels a, Pixels b) { return _mm256_add_epi32(a, b); }
    static Pixels ShiftLeft32(Pixels v, int bits) { return _mm256_slli_epi32(v, bits); }
    static Pixels ShiftRight32(Pixels v, int bits) { return _mm256_srli_epi32(v, bits); }
    static Pixels Equal32(Pixels a, Pixels b) { return _mm256_cmpeq_epi32(a, b); }
    static bool AllOnes(Pixels mask) { return _mm256_movemask_epi8(mask) == -1; }
    static bool AllZero(Pixels v) { return _mm256_testz_si256(v, v) != 0; }
    // Each pixel's alpha byte copied into the four 16-bit lanes widening gives its channels.
    static Pixels AlphaLow(Pixels v) { return _mm256_shuffle_epi8(v, AlphaBytes(3, 7)); }
    static Pixels AlphaHigh(Pixels v) { return _mm256_shuffle_epi8(v, AlphaBytes(11, 15)); }
    // For pixels of alpha 0 or 255: the top bit of the alpha picks the source.
    static Pixels OpaqueOrTarget(Pixels s, Pixels d) {
        const __m256 source = _mm256_castsi256_ps(s);
        return _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(d), source, source));
    }
    // Byte pairs multiplied and added in one instruction (see SourceOverPairs).
    static constexpr bool kMultipliesBytePairs = true;
    static Pixels Xor(Pixels a, Pixels b) { return _mm256_xor_si256(a, b); }
    static Pixels InterleaveLow(Pixels a, Pixels b) { return _mm256_unpacklo_epi8(a, b); }
    static Pixels InterleaveHigh(Pixels a, Pixels b) { return _mm256_unpackhi_epi8(a, b); }
    // Each pixel's alpha a and 255 - a, as a byte pair in each of the four 16-bit lanes that
    // widening gives its channels.
    static Pixels AlphaPairsLow(Pixels v) {
        return Xor(_mm256_shuffle_epi8(v, AlphaPairBytes(3, 7)), Constant<0xFF00FF00u>());
    }
    static Pixels AlphaPairsHigh(Pixels v) {
        return Xor(_mm256_shuffle_epi8(v, AlphaPairBytes(11, 15)), Constant<0xFF00FF00u>());
    }
    // Unsigned bytes times signed bytes, each pair's two products added into a 16-bit lane.
    static Pixels MultiplyAddPairs(Pixels unsignedBytes, Pixels signedBytes) {
        return _mm256_maddubs_epi16(unsignedBytes, signedBytes);
    }
    static Pixels MulHigh16(Pixels a, Pixels b) { return _mm256_mulhi_epu16(a, b); }

private:
    // Byte indices within each 128-bit half: first's alpha in four 16-bit lanes, then second's.
    static Pixels AlphaBytes(char first, char second) {
        constexpr char z = -128;  // a zero byte
        return _mm256_setr_epi8(first, z, first, z, first, z, first, z, second, z, second, z, second, z, second, z,
                                first, z, first, z, first, z, first, z, second, z, second, z, second, z, second, z);
    }
    // The same with the alpha byte twice in each 16-bit lane.
    static Pixels AlphaPairBytes(char first, char second) {
        return _mm256_setr_epi8(first, first, first, first, first, first, first, first, second, second, second, second,
                                second, second, second, second, first, first, first, first, first, first, first, first,
                                second, second, second, second, second, second, second, second);
    }
};

}  // namespace

// Flattened, as the routines of SampleAvx2.cpp: every helper of the loop inlined.
[[gnu::flatten]]
int BlendRunAvx2(kernels::Kind kind, const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target,
                 int count) {
    return kernels::Run<Avx2>(kind, source, constant, target, count);
}

[[gnu::flatten]]
int BlendModulatedRunAvx2(kernels::Kind kind, const std::uint32_t* texels, std::uint32_t colour, std::uint32_t* target,
                          int count) {
    return kernels::ModulatedRun<Avx2>(kind, texels, colour, target, count);
}

[[gnu::flatten]]
int ModulateRunAvx2(const std::uint32_t* texels, std::uint32_t colour, int count, std::uint32_t* out) {
    return kernels::ModulateRun<Avx2>(texels, colour, count, out);
}

[[gnu::flatten]]
int CombineRunAvx2(const StageState& first, const StageState* second, const std::uint32_t* diffuse,
                   const std::uint32_t* texels0, const std::uint32_t* texels1, int count, std::uint32_t* out) {
    return kernels::CombineRun<Avx2>(first, second, diffuse, texels0, texels1, count, out);
}

}  // namespace gfx

#pragma GCC pop_options

#else

namespace gfx {
int BlendRunAvx2(kernels::Kind, const std::uint32_t*, std::uint32_t, std::uint32_t*, int) { return 0; }
int BlendModulatedRunAvx2(kernels::Kind, const std::uint32_t*, std::uint32_t, std::uint32_t*, int) { return 0; }
int ModulateRunAvx2(const std::uint32_t*, std::uint32_t, int, std::uint32_t*) { return 0; }
int CombineRunAvx2(const StageState&, const StageState*, const std::uint32_t*, const std::uint32_t*, const std::uint32_t*, int,
                   std::uint32_t*) {
    return 0;
}
}  // namespace gfx

#endif
