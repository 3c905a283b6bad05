#include "gfx/SampleAvx2.h"

// Only this file is compiled for AVX2, and it shares no inline code with the others, so
// nothing built for AVX2 can reach a processor without it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>

#include <algorithm>

#pragma GCC push_options
#pragma GCC target("avx2")

// The exported routines are flattened: every helper of the loop body inlined, so that the
// registers of a step stay in registers.
namespace gfx {

namespace {

using Wide = __m256i;

int Low32(std::int64_t value) { return static_cast<int>(static_cast<std::uint32_t>(value)); }

// Whether every coordinate of a run fits a 32-bit lane as a non-negative number. The routines
// below step eight coordinates at a time in such lanes; the texel index is the top half, the
// weight the byte below it.
bool FitsLanes(std::int64_t start, std::int64_t step, int count) {
    constexpr std::int64_t kLargest = 0x7FFFFFFF;
    const std::int64_t last = start + step * (count - 1);
    return start >= 0 && last >= 0 && start <= kLargest && last <= kLargest;
}

// The same where coordinates may be negative.
bool FitsSignedLanes(std::int64_t start, std::int64_t step, int count) {
    constexpr std::int64_t kLowest = -0x80000000LL;
    constexpr std::int64_t kLargest = 0x7FFFFFFF;
    const std::int64_t last = start + step * (count - 1);
    return std::min(start, last) >= kLowest && std::max(start, last) <= kLargest;
}

// Eight coordinates a step apart. Lanes wrap past 32 bits only after the last pixel of a run
// that fits them, and the low 32 bits of start + step * lane are those of the lanes' own sum and
// product. For the last pixels of a run, lanes past the run repeat its last coordinate, so that
// they read nothing the run does not.
class Eight {
public:
    Eight(std::int64_t start, std::int64_t step, int lanes = 8)
        : at_(_mm256_add_epi32(_mm256_set1_epi32(Low32(start)),
                               _mm256_mullo_epi32(_mm256_set1_epi32(Low32(step)),
                                                  _mm256_min_epi32(_mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7),
                                                                   _mm256_set1_epi32(lanes - 1))))),
          step_(_mm256_set1_epi32(Low32(8 * step))) {}

    Wide Indices() const { return _mm256_srli_epi32(at_, 16); }
    // For coordinates that may be negative.
    Wide SignedIndices() const { return _mm256_srai_epi32(at_, 16); }

    // Each pixel's weight, as a Take, in both 16-bit lanes of its 32-bit lane.
    Wide Weights() const {
        const Wide take = _mm256_and_si256(_mm256_srli_epi32(at_, 1), _mm256_set1_epi32(0xFF << 7));
        return _mm256_or_si256(take, _mm256_slli_epi32(take, 16));
    }

    void Next() { at_ = _mm256_add_epi32(at_, step_); }

private:
    Wide at_;
    Wide step_;
};

// The eight lanes of a register of texel indices, in memory for loading texels lane by lane.
class Lanes {
public:
    explicit Lanes(Wide indices) { _mm256_store_si256(reinterpret_cast<Wide*>(at_), indices); }
    int operator()(int lane) const { return at_[lane]; }

private:
    alignas(32) int at_[8];
};

// A blend weight w of 0..255 is carried as w << 7 in 16-bit lanes: pmulhrsw then rounds
// (b - a) * w / 256 half up, so that a + mulhrs(b - a, w << 7) is exactly
// (a * (256 - w) + b * w + 128) >> 8, the scalar Lerp.
Wide Take(std::uint32_t weight) { return _mm256_set1_epi16(static_cast<short>(weight << 7)); }

// Lerp in every 16-bit lane holding one channel.
Wide Lerp16(Wide a, Wide b, Wide take) {
    return _mm256_add_epi16(a, _mm256_mulhrs_epi16(_mm256_sub_epi16(b, a), take));
}

// Lerp on packed pixels, the even and odd channels of each pixel apart, by the weights of take.
Wide LerpPacked(Wide a, Wide b, Wide take) {
    const Wide even = _mm256_set1_epi16(0x00FF);
    const Wide low = Lerp16(_mm256_and_si256(a, even), _mm256_and_si256(b, even), take);
    const Wide high = Lerp16(_mm256_srli_epi16(a, 8), _mm256_srli_epi16(b, 8), take);
    return _mm256_or_si256(low, _mm256_slli_epi16(high, 8));
}

// Lerp with each pixel's own weight.
Wide LerpEach(Wide a, Wide b, const Eight& along) { return LerpPacked(a, b, along.Weights()); }

// Texels at scattered indices are loaded one by one and shuffled into place: where a gather is
// microcoded (as on the AMD processors this game is measured on), eight loads and a few shuffles
// build a register in less than half its time. index(lane) is the texel index of a lane.

// base[index(lane)] for the eight lanes.
template <typename Index>
Wide TexelsAt(const std::uint32_t* base, const Index& index) {
    const auto four = [&](int lane) {
        __m128i v = _mm_cvtsi32_si128(static_cast<int>(base[index(lane)]));
        v = _mm_insert_epi32(v, static_cast<int>(base[index(lane + 1)]), 1);
        v = _mm_insert_epi32(v, static_cast<int>(base[index(lane + 2)]), 2);
        return _mm_insert_epi32(v, static_cast<int>(base[index(lane + 3)]), 3);
    };
    return _mm256_setr_m128i(four(0), four(4));
}

// base[index(lane)] into first and base[index(lane) + 1] into second, for the eight lanes: each
// pair is one 64-bit load.
template <typename Index>
void PairsAt(const std::uint32_t* base, const Index& index, Wide& first, Wide& second) {
    const auto pair = [&](int lane) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(base + index(lane))); };
    const auto two = [&](int lane) { return _mm_unpacklo_epi64(pair(lane), pair(lane + 1)); };
    // Each 128-bit half holds two lanes' pairs: lanes 0, 1 | 4, 5 in one register, 2, 3 | 6, 7 in
    // the other; the even dwords are the first texels, the odd the second.
    const __m256 low = _mm256_castsi256_ps(_mm256_setr_m128i(two(0), two(4)));
    const __m256 high = _mm256_castsi256_ps(_mm256_setr_m128i(two(2), two(6)));
    first = _mm256_castps_si256(_mm256_shuffle_ps(low, high, 0x88));
    second = _mm256_castps_si256(_mm256_shuffle_ps(low, high, 0xDD));
}

// Eight texel indices folded into one axis, as the sampler folds them one by one.
Wide Fold(Wide index, const AxisFold& axis) {
    if (axis.clamp) {
        return _mm256_min_epi32(_mm256_max_epi32(index, _mm256_setzero_si256()), _mm256_set1_epi32(axis.size - 1));
    }
    const Wide mask = _mm256_set1_epi32(axis.mask);
    const Wide folded = _mm256_and_si256(index, mask);
    // Mirror: the second half of each period runs backwards. Wrap never sets this bit.
    const Wide backwards = _mm256_and_si256(_mm256_srl_epi32(folded, _mm_cvtsi32_si128(axis.sizeLog2)), _mm256_set1_epi32(1));
    return _mm256_xor_si256(folded, _mm256_and_si256(_mm256_sub_epi32(_mm256_setzero_si256(), backwards), mask));
}

// base at eight indices held in a register.
Wide TexelsAtLanes(const std::uint32_t* base, Wide indices) { return TexelsAt(base, Lanes(indices)); }

// And through a texture of 2^widthLog2 texels a row.
Lanes GridIndex(const Eight& along, const Eight& down, int widthLog2) {
    return Lanes(_mm256_add_epi32(_mm256_sll_epi32(down.Indices(), _mm_cvtsi32_si128(widthLog2)), along.Indices()));
}

Wide Load8(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
void Store8(std::uint32_t* p, Wide v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

// The texels from first on, eight a register, whose lanes At picks by index: a gather costs
// many times a load and a few permutes, and the eight indices of a run that steps less than two
// texels a pixel lie within sixteen of each other (kRegisters 2), of one that steps less than six
// sevenths of a texel within eight (kRegisters 1). Reads up to kTexelReadAhead texels past the
// last index it is asked for.
template <int kRegisters>
class Window {
    static_assert(kRegisters == 1 || kRegisters == 2);

public:
    Window(const std::uint32_t* base, int first)
        : low_(Load8(base + first)),
          high_(kRegisters == 2 ? Load8(base + first + 8) : low_),
          first_(_mm256_set1_epi32(first)) {}

    // Indices first .. first + 8 * kRegisters - 1.
    Wide At(Wide indices) const {
        const Wide lane = _mm256_sub_epi32(indices, first_);
        if constexpr (kRegisters == 1) {
            return _mm256_permutevar8x32_epi32(low_, lane);
        }
        // Bit 3 of the lane number, moved to the sign, says which register holds it.
        const __m256 high = _mm256_castsi256_ps(_mm256_slli_epi32(lane, 28));
        return _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(_mm256_permutevar8x32_epi32(low_, lane)),
                                                    _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(high_, lane)), high));
    }

private:
    Wide low_;
    Wide high_;
    Wide first_;
};

// How far apart the texel indices of eight pixels of a run, and the extra neighbours after
// them, may lie: within one register, within two, or farther, for loading one by one. The
// indices of eight pixels span at most the whole texels of seven steps, and one more.
enum class Reach { OneRegister, TwoRegisters, Scattered };

Reach ReachOf(std::int64_t ds, int extra) {
    constexpr std::int64_t kOne = std::int64_t{1} << 16;
    const std::int64_t seven = 7 * (ds < 0 ? -ds : ds);
    return seven <= (7 - extra) * kOne ? Reach::OneRegister
           : seven <= (15 - extra) * kOne ? Reach::TwoRegisters
                                          : Reach::Scattered;
}

// The lowest of eight indices of a run: the first lane's, or stepping backwards the last's
// (lanes past the end of a run repeat its last coordinate).
int Lowest(Wide indices, std::int64_t ds) {
    return ds >= 0 ? _mm256_cvtsi256_si32(indices) : _mm256_extract_epi32(indices, 7);
}

template <Reach kReach>
using WindowOf = Window<kReach == Reach::OneRegister ? 1 : 2>;

// base at the lanes' indices.
template <Reach kReach>
Wide Texels(const std::uint32_t* base, const Eight& along, std::int64_t ds) {
    const Wide indices = along.Indices();
    if constexpr (kReach == Reach::Scattered) {
        return TexelsAt(base, Lanes(indices));
    } else {
        return WindowOf<kReach>(base, Lowest(indices, ds)).At(indices);
    }
}

// base at the lanes' indices and the texels after them.
template <Reach kReach>
void TexelPairs(const std::uint32_t* base, const Eight& along, std::int64_t ds, Wide& first, Wide& second) {
    const Wide indices = along.Indices();
    if constexpr (kReach == Reach::Scattered) {
        PairsAt(base, Lanes(indices), first, second);
    } else {
        const WindowOf<kReach> window(base, Lowest(indices, ds));
        first = window.At(indices);
        second = window.At(_mm256_add_epi32(indices, _mm256_set1_epi32(1)));
    }
}

// Calls run.template operator()<kReach>() with the reach of eight pixels of a run.
template <typename Run>
int ByReach(std::int64_t ds, int extra, Run run) {
    switch (ReachOf(ds, extra)) {
    case Reach::OneRegister: return run.template operator()<Reach::OneRegister>();
    case Reach::TwoRegisters: return run.template operator()<Reach::TwoRegisters>();
    case Reach::Scattered: break;
    }
    return run.template operator()<Reach::Scattered>();
}

// Stores the first count pixels of a register, 0 < count <= 8.
Wide FirstLanes(int count) {
    return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

void StoreFirst(std::uint32_t* p, Wide v, int count) {
    _mm256_maskstore_epi32(reinterpret_cast<int*>(p), FirstLanes(count), v);
}

// Loads the first count pixels of a register, 0 < count <= 8, and nothing past them.
Wide LoadFirst(const std::uint32_t* p, int count) {
    return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), FirstLanes(count));
}

// Fills a run eight pixels at a time, the last few in one more register: pixels makes the eight
// pixels of the coordinates it is given.
template <typename Pixels>
int EachEight(std::uint32_t* out, int count, std::int64_t step, Pixels pixels, std::int64_t start) {
    int i = 0;
    for (Eight along(start, step); i + 8 <= count; i += 8, along.Next()) {
        Store8(out + i, pixels(along));
    }
    if (i < count) {
        StoreFirst(out + i, pixels(Eight(start + step * i, step, count - i)), count - i);
    }
    return count;
}

// The same with two coordinates a pixel, across and down.
template <typename Pixels>
int EachEight2(std::uint32_t* out, int count, std::int64_t s, std::int64_t ds, std::int64_t t, std::int64_t dt,
               Pixels pixels) {
    int i = 0;
    for (Eight along(s, ds), down(t, dt); i + 8 <= count; i += 8, along.Next(), down.Next()) {
        Store8(out + i, pixels(along, down));
    }
    if (i < count) {
        const int rest = count - i;
        StoreFirst(out + i, pixels(Eight(s + ds * i, ds, rest), Eight(t + dt * i, dt, rest)), rest);
    }
    return count;
}

}  // namespace

[[gnu::flatten]]
int LerpRunAvx2(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t weight, int count, std::uint32_t* out) {
    const Wide take = Take(weight);
    // Exactly halfway the blend is the rounded average.
    const auto lerp = [weight, take](Wide x, Wide y) {
        return weight == 128 ? _mm256_avg_epu8(x, y) : LerpPacked(x, y, take);
    };
    int i = 0;
    if (weight == 128) {
        for (; i + 8 <= count; i += 8) {
            Store8(out + i, _mm256_avg_epu8(Load8(a + i), Load8(b + i)));
        }
    }
    for (; i + 8 <= count; i += 8) {
        Store8(out + i, LerpPacked(Load8(a + i), Load8(b + i), take));
    }
    if (i < count) {
        StoreFirst(out + i, lerp(LoadFirst(a + i, count - i), LoadFirst(b + i, count - i)), count - i);
    }
    return count;
}

[[gnu::flatten]]
int LerpNeighboursAvx2(const std::uint32_t* columns, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out) {
    if (!FitsLanes(s, ds, count) || ReachOf(ds, 1) == Reach::Scattered) {
        return 0;
    }
    return ByReach(ds, 1, [&]<Reach kReach>() {
        return EachEight(out, count, ds, [columns, ds](const Eight& along) {
            Wide left;
            Wide right;
            TexelPairs<kReach>(columns, along, ds, left, right);
            return LerpEach(left, right, along);
        }, s);
    });
}

[[gnu::flatten]]
int BilinearRowAvx2(const std::uint32_t* top, const std::uint32_t* bottom, std::uint32_t fy, std::int64_t s,
                    std::int64_t ds, int count, std::uint32_t* out) {
    if (!FitsLanes(s, ds, count)) {
        return 0;
    }
    const Wide take = Take(fy);
    return ByReach(ds, 1, [&]<Reach kReach>() {
        return EachEight(out, count, ds, [top, bottom, take, ds](const Eight& along) {
            Wide topLeft;
            Wide topRight;
            Wide bottomLeft;
            Wide bottomRight;
            TexelPairs<kReach>(top, along, ds, topLeft, topRight);
            TexelPairs<kReach>(bottom, along, ds, bottomLeft, bottomRight);
            const Wide left = LerpPacked(topLeft, bottomLeft, take);
            const Wide right = LerpPacked(topRight, bottomRight, take);
            return LerpEach(left, right, along);
        }, s);
    });
}

[[gnu::flatten]]
int BilinearAvx2(const std::uint32_t* texels, int widthLog2, std::int64_t s, std::int64_t t, std::int64_t ds,
                 std::int64_t dt, int count, std::uint32_t* out) {
    if (!FitsLanes(s, ds, count) || !FitsLanes(t, dt, count)) {
        return 0;
    }
    const std::uint32_t* below = texels + (std::ptrdiff_t{1} << widthLog2);
    return EachEight2(out, count, s, ds, t, dt, [=](const Eight& along, const Eight& down) {
        Wide topLeft;
        Wide topRight;
        Wide bottomLeft;
        Wide bottomRight;
        const Lanes at = GridIndex(along, down, widthLog2);
        PairsAt(texels, at, topLeft, topRight);
        PairsAt(below, at, bottomLeft, bottomRight);
        const Wide left = LerpEach(topLeft, bottomLeft, down);
        const Wide right = LerpEach(topRight, bottomRight, down);
        return LerpEach(left, right, along);
    });
}

[[gnu::flatten]]
int BilinearFoldedAvx2(const std::uint32_t* texels, int widthLog2, const AxisFold& u, const AxisFold& v,
                       std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt, int count,
                       std::uint32_t* out) {
    if (!FitsSignedLanes(s, ds, count) || !FitsSignedLanes(t, dt, count)) {
        return 0;
    }
    const __m128i shift = _mm_cvtsi32_si128(widthLog2);
    const Wide one = _mm256_set1_epi32(1);
    return EachEight2(out, count, s, ds, t, dt, [&](const Eight& along, const Eight& down) {
        const Wide column = along.SignedIndices();
        const Wide row = down.SignedIndices();
        const Wide left = Fold(column, u);
        const Wide right = Fold(_mm256_add_epi32(column, one), u);
        const Wide top = _mm256_sll_epi32(Fold(row, v), shift);
        const Wide bottom = _mm256_sll_epi32(Fold(_mm256_add_epi32(row, one), v), shift);
        const Wide leftColumn = LerpEach(TexelsAtLanes(texels, _mm256_add_epi32(top, left)),
                                         TexelsAtLanes(texels, _mm256_add_epi32(bottom, left)), down);
        const Wide rightColumn = LerpEach(TexelsAtLanes(texels, _mm256_add_epi32(top, right)),
                                          TexelsAtLanes(texels, _mm256_add_epi32(bottom, right)), down);
        return LerpEach(leftColumn, rightColumn, along);
    });
}

[[gnu::flatten]]
int PointRowAvx2(const std::uint32_t* row, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out) {
    if (!FitsLanes(s, ds, count)) {
        return 0;
    }
    return ByReach(ds, 0, [&]<Reach kReach>() {
        return EachEight(out, count, ds, [row, ds](const Eight& along) { return Texels<kReach>(row, along, ds); }, s);
    });
}

[[gnu::flatten]]
int PointAvx2(const std::uint32_t* texels, int widthLog2, std::int64_t s, std::int64_t t, std::int64_t ds,
              std::int64_t dt, int count, std::uint32_t* out) {
    if (!FitsLanes(s, ds, count) || !FitsLanes(t, dt, count)) {
        return 0;
    }
    return EachEight2(out, count, s, ds, t, dt, [=](const Eight& along, const Eight& down) {
        return TexelsAt(texels, GridIndex(along, down, widthLog2));
    });
}

}  // namespace gfx

#pragma GCC pop_options

#else

namespace gfx {
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
int BilinearFoldedAvx2(const std::uint32_t*, int, const AxisFold&, const AxisFold&, std::int64_t, std::int64_t,
                       std::int64_t, std::int64_t, int, std::uint32_t*) {
    return 0;
}
int PointRowAvx2(const std::uint32_t*, std::int64_t, std::int64_t, int, std::uint32_t*) { return 0; }
int PointAvx2(const std::uint32_t*, int, std::int64_t, std::int64_t, std::int64_t, std::int64_t, int, std::uint32_t*) {
    return 0;
}
}  // namespace gfx

#endif
