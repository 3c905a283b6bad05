#include "gfx/TextureSampler.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "gfx/InstructionSet.h"
#include "gfx/PixelMath.h"
#include "gfx/RenderStates.h"
#include "gfx/Rounding.h"
#include "gfx/SampleAvx2.h"
#include "gfx/Simd.h"

namespace gfx {

namespace {

// How one addressing mode folds the indices of an axis of size texels.
AxisFold Folding(std::uint32_t mode, int size, int sizeLog2) {
    return {mode == TADDRESS_CLAMP, mode == TADDRESS_MIRROR ? 2 * size - 1 : size - 1, size, sizeLog2};
}

// Folds a texel index into 0..size-1 by one addressing mode. Wrap and mirror are periodic over
// powers of two, so they work on the index bits alone, whatever its size or sign.
class Addresser {
public:
    explicit Addresser(const AxisFold& fold) : fold_(fold) {}

    int operator()(std::int64_t index) const {
        if (fold_.clamp) {
            return static_cast<int>(std::clamp<std::int64_t>(index, 0, fold_.size - 1));
        }
        int folded = static_cast<int>(index & fold_.mask);
        // Mirror: the second half of each period runs backwards. Wrap never sets this bit.
        folded ^= -((folded >> fold_.sizeLog2) & 1) & fold_.mask;
        return folded;
    }

    int Size() const { return fold_.size; }
    const AxisFold& Folding() const { return fold_; }

private:
    AxisFold fold_;
};

struct TexelGrid {
    const std::uint32_t* texels;
    int widthLog2;
    Addresser u;
    Addresser v;

    explicit TexelGrid(const SamplerSetup& sampler)
        : texels(sampler.texels), widthLog2(sampler.widthLog2), u(sampler.u), v(sampler.v) {}

    const std::uint32_t* Row(std::int64_t t) const {
        return texels + (static_cast<std::ptrdiff_t>(v(t)) << widthLog2);
    }

    // Indices a run is known to keep inside the texture need no folding.
    template <bool kFold>
    int Column(std::int64_t s) const {
        return kFold ? u(s) : static_cast<int>(s);
    }
    template <bool kFold>
    const std::uint32_t* RowAt(std::int64_t t) const {
        return kFold ? Row(t) : texels + (static_cast<std::ptrdiff_t>(t) << widthLog2);
    }

    // Whether every index from first to last, and the neighbour after each, lies inside.
    bool Inside(std::int64_t first, std::int64_t last, int neighbours, const Addresser& axis) const {
        return std::min(first, last) >= 0 && std::max(first, last) + neighbours < axis.Size();
    }
};

std::int64_t TexelIndex(std::int64_t coordinate) { return coordinate >> kTexelFractionBits; }

// The weight of the second texel of a linear pair, 0..255.
std::uint32_t Fraction(std::int64_t coordinate) {
    return static_cast<std::uint32_t>(coordinate >> (kTexelFractionBits - 8)) & 0xFF;
}

bool Avx2(InstructionSet set) { return Uses(set, InstructionSet::Avx2); }
// Asked by the SSE2 paths only, which a build for a processor without SSE2 (WebAssembly) lacks.
[[maybe_unused]] bool Sse2(InstructionSet set) { return Uses(set, InstructionSet::Sse2); }

// Linear filtering blends down the column first, then across.
std::uint32_t Bilinear(const std::uint32_t* top, const std::uint32_t* bottom, int left, int right, std::uint32_t fx,
                       std::uint32_t fy, [[maybe_unused]] InstructionSet set) {
#if VELMORIA_SIMD
    if (Sse2(set)) {
        const auto pair = [](std::uint32_t first, std::uint32_t second) {
            return simd::WidenLow(_mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(first)),
                                                     _mm_cvtsi32_si128(static_cast<int>(second))));
        };
        // Left column in the low four lanes, right column in the high four.
        const simd::Pixels columns = simd::Lerp(pair(top[left], top[right]), pair(bottom[left], bottom[right]),
                                                simd::Splat16(256 - fy), simd::Splat16(fy));
        const simd::Pixels weighted = _mm_mullo_epi16(columns, simd::PairWeights(fx));
        const simd::Pixels sum = simd::SumPairs(weighted, weighted);
        return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(sum, sum)));
    }
#endif
    return pixel::Lerp(pixel::Lerp(top[left], bottom[left], fy), pixel::Lerp(top[right], bottom[right], fy), fx);
}

// out[i] = Lerp(a[i], b[i], weight) for count pixels.
void LerpRun(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t weight, int count, std::uint32_t* out,
             InstructionSet set) {
    int i = Avx2(set) ? LerpRunAvx2(a, b, weight, count, out) : 0;
#if VELMORIA_SIMD
    if (Sse2(set) && weight == 128) {
        // Sprites drawn one to one with their edges on pixel centres sample exactly between
        // texels: a rounded average, one instruction for four pixels.
        for (; i + 4 <= count; i += 4) {
            simd::Store(out + i, _mm_avg_epu8(simd::Load(a + i), simd::Load(b + i)));
        }
    }
    const simd::Pixels keep = simd::Splat16(256 - weight);
    const simd::Pixels take = simd::Splat16(weight);
    for (; Sse2(set) && i + 4 <= count; i += 4) {
        simd::Store(out + i, simd::LerpPacked(simd::Load(a + i), simd::Load(b + i), keep, take));
    }
#endif
    for (; i < count; ++i) {
        out[i] = pixel::Lerp(a[i], b[i], weight);
    }
}

// Point sampling along a row of the texture, the run inside it: the common case of sprites that
// are not rotated.
void PointInsideRow(const std::uint32_t* row, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out,
                    InstructionSet set) {
    int i = Avx2(set) ? PointRowAvx2(row, s, ds, count, out) : 0;
    for (s += ds * i; i < count; ++i, s += ds) {
        out[i] = row[TexelIndex(s)];
    }
}

// And a run that crosses the edges of the texture.
void PointFoldedRow(const TexelGrid& grid, const std::uint32_t* row, std::int64_t s, std::int64_t ds, int count,
                    std::uint32_t* out) {
    for (int i = 0; i < count; ++i, s += ds) {
        out[i] = row[grid.u(TexelIndex(s))];
    }
}

constexpr int kFoldedInRegisters = 8;

template <bool kFold>
void LinearLoop(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt, int count,
                std::uint32_t* out, InstructionSet set) {
    int i = 0;
    // Folded ends of a pixel or two are cheaper one by one than in a register.
    if (Avx2(set) && (!kFold || count >= kFoldedInRegisters)) {
        i = kFold ? BilinearFoldedAvx2(grid.texels, grid.widthLog2, grid.u.Folding(), grid.v.Folding(), s, t, ds, dt,
                                       count, out)
                  : BilinearAvx2(grid.texels, grid.widthLog2, s, t, ds, dt, count, out);
        s += ds * i;
        t += dt * i;
    }
    for (; i < count; ++i, s += ds, t += dt) {
        const std::int64_t column = TexelIndex(s);
        const std::int64_t row = TexelIndex(t);
        out[i] = Bilinear(grid.RowAt<kFold>(row), grid.RowAt<kFold>(row + 1), grid.Column<kFold>(column),
                          grid.Column<kFold>(column + 1), Fraction(s), Fraction(t), set);
    }
}

// Along a run the texels used move steadily, so the pixels whose texel index on one axis, and
// the neighbours after it, lie inside the texture form one stretch, [begin, end), which needs no
// folding: the pixels whose coordinate lies in [0, limit), limit being where the last texel with
// its neighbours inside ends.
std::pair<int, int> AxisStretch(const Addresser& axis, std::int64_t start, std::int64_t step, int count,
                                int neighbours) {
    const std::int64_t limit = static_cast<std::int64_t>(axis.Size() - neighbours) << kTexelFractionBits;
    std::int64_t begin = 0;
    std::int64_t end = count;
    if (step > 0) {
        begin = CeilDiv(-start, step);
        end = CeilDiv(limit - start, step);
    } else if (step < 0) {
        begin = FloorDiv(start - limit, -step) + 1;
        end = FloorDiv(start, -step) + 1;
    } else if (start < 0 || start >= limit) {
        end = 0;
    }
    begin = std::clamp<std::int64_t>(begin, 0, count);
    return {static_cast<int>(begin), static_cast<int>(std::clamp<std::int64_t>(end, begin, count))};
}

// The stretch inside the texture on both axes.
std::pair<int, int> InsideStretch(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds,
                                  std::int64_t dt, int count, int neighbours) {
    const auto [firstU, endU] = AxisStretch(grid.u, s, ds, count, neighbours);
    const auto [firstV, endV] = AxisStretch(grid.v, t, dt, count, neighbours);
    const int begin = std::max(firstU, firstV);
    return {begin, std::max(begin, std::min(endU, endV))};
}

// Rotated runs: the stretch inside the texture needs no folding.
void PointAny(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt, int count,
              std::uint32_t* out, InstructionSet set) {
    const auto [begin, end] = InsideStretch(grid, s, t, ds, dt, count, 0);
    const auto folded = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            out[i] = grid.Row(TexelIndex(t + dt * i))[grid.u(TexelIndex(s + ds * i))];
        }
    };
    folded(0, begin);
    int i = begin;
    if (Avx2(set)) {
        i += PointAvx2(grid.texels, grid.widthLog2, s + ds * begin, t + dt * begin, ds, dt, end - begin, out + begin);
    }
    for (; i < end; ++i) {
        out[i] = grid.RowAt<false>(TexelIndex(t + dt * i))[TexelIndex(s + ds * i)];
    }
    folded(end, count);
}

// Linear sampling measures weights from texel centres: coordinates move back half a texel.
void LinearAny(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt, int count,
               std::uint32_t* out, InstructionSet set) {
    s -= kTexelOne / 2;
    t -= kTexelOne / 2;
    const auto [begin, end] = InsideStretch(grid, s, t, ds, dt, count, 1);
    LinearLoop<true>(grid, s, t, ds, dt, begin, out, set);
    LinearLoop<false>(grid, s + ds * begin, t + dt * begin, ds, dt, end - begin, out + begin, set);
    LinearLoop<true>(grid, s + ds * end, t + dt * end, ds, dt, count - end, out + end, set);
}

#if VELMORIA_SIMD
// The texel pairs k, k + 1 of two pixels, the first pixel's in the low half.
simd::Pixels Pairs(const std::uint32_t* row, std::int64_t first, std::int64_t second) {
    const auto pair = [row](std::int64_t at) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + TexelIndex(at)));
    };
    return _mm_unpacklo_epi64(pair(first), pair(second));
}

// Two pixels, each blending its texel pair across by its own fraction, in the low half.
simd::Pixels Across(simd::Pixels pairs, std::int64_t first, std::int64_t second) {
    const simd::Pixels a = _mm_mullo_epi16(simd::WidenLow(pairs), simd::PairWeights(Fraction(first)));
    const simd::Pixels b = _mm_mullo_epi16(simd::WidenHigh(pairs), simd::PairWeights(Fraction(second)));
    const simd::Pixels sum = simd::SumPairs(a, b);
    return _mm_packus_epi16(sum, sum);
}

void StoreTwo(std::uint32_t* out, simd::Pixels pixels) { _mm_storel_epi64(reinterpret_cast<__m128i*>(out), pixels); }
#endif

// out[i] = Lerp(columns[k], columns[k + 1], weight) with k and weight from s, stepping by ds.
void LerpNeighbours(const std::uint32_t* columns, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out,
                    InstructionSet set) {
    int i = Avx2(set) ? LerpNeighboursAvx2(columns, s, ds, count, out) : 0;
    s += ds * i;
#if VELMORIA_SIMD
    for (; Sse2(set) && i + 2 <= count; i += 2, s += 2 * ds) {
        StoreTwo(out + i, Across(Pairs(columns, s, s + ds), s, s + ds));
    }
#endif
    for (; i < count; ++i, s += ds) {
        const std::int64_t k = TexelIndex(s);
        out[i] = pixel::Lerp(columns[k], columns[k + 1], Fraction(s));
    }
}

// Bilinear filtering between two rows of the texture, every texel pair blended down as it is
// needed: for runs that skip texels, cheaper than blending every column first.
void BilinearRow(const std::uint32_t* top, const std::uint32_t* bottom, std::uint32_t fy, std::int64_t s,
                 std::int64_t ds, int count, std::uint32_t* out, InstructionSet set) {
    int i = Avx2(set) ? BilinearRowAvx2(top, bottom, fy, s, ds, count, out) : 0;
    s += ds * i;
#if VELMORIA_SIMD
    const simd::Pixels keep = simd::Splat16(256 - fy);
    const simd::Pixels take = simd::Splat16(fy);
    for (; Sse2(set) && i + 2 <= count; i += 2, s += 2 * ds) {
        const simd::Pixels down = simd::LerpPacked(Pairs(top, s, s + ds), Pairs(bottom, s, s + ds), keep, take);
        StoreTwo(out + i, Across(down, s, s + ds));
    }
#endif
    for (; i < count; ++i, s += ds) {
        const int k = static_cast<int>(TexelIndex(s));
        out[i] = Bilinear(top, bottom, k, k + 1, Fraction(s), fy, set);
    }
}

// The two texture rows a run along a row of the texture blends between, and the weight of the
// second.
struct RowPair {
    const std::uint32_t* top;
    const std::uint32_t* bottom;
    std::uint32_t fy;
};

RowPair RowsAt(const TexelGrid& grid, std::int64_t t) {
    return {grid.Row(TexelIndex(t)), grid.Row(TexelIndex(t) + 1), Fraction(t)};
}

// Blends the two rows down for texel columns low .. end - 1 into columns, folding those outside
// [insideFirst, insideEnd).
void BlendColumnsDown(const TexelGrid& grid, const RowPair& rows, std::int64_t low, std::int64_t insideFirst,
                      std::int64_t insideEnd, std::int64_t end, std::uint32_t* columns, InstructionSet set) {
    const auto folded = [&](std::int64_t from, std::int64_t to) {
        for (std::int64_t c = from; c < to; ++c) {
            const int column = grid.u(c);
            columns[c - low] = pixel::Lerp(rows.top[column], rows.bottom[column], rows.fy);
        }
    };
    // Columns inside the texture lie side by side; only those past its edges need folding.
    folded(low, insideFirst);
    LerpRun(rows.top + insideFirst, rows.bottom + insideFirst, rows.fy, static_cast<int>(insideEnd - insideFirst),
            columns + (insideFirst - low), set);
    folded(insideEnd, end);
}

}  // namespace

SamplerSetup::SamplerSetup(const Texture* texture, bool linear, std::uint32_t addressU, std::uint32_t addressV)
    : texture(texture),
      linear(linear),
      addressU(addressU),
      addressV(addressV),
      texels(texture->Pixels()),
      widthLog2(texture->WidthLog2()),
      u(Folding(addressU, texture->Width(), texture->WidthLog2())),
      v(Folding(addressV, texture->Height(), texture->HeightLog2())) {}

RowPlan::RowPlan(const SamplerSetup& sampler, std::int64_t s, std::int64_t ds, int count)
    : sampler_(&sampler), s_(sampler.linear ? s - kTexelOne / 2 : s), ds_(ds), count_(count) {
    if (count <= 0) {
        return;
    }
    const Addresser u(sampler.u);
    first_ = TexelIndex(s_);
    const std::int64_t last = TexelIndex(s_ + ds * (count - 1));
    low_ = std::min(first_, last);
    if (!sampler.linear) {
        const bool inside = low_ >= 0 && std::max(first_, last) < u.Size();
        kind_ = !inside ? Kind::PointFolded : ds == kTexelOne ? Kind::PointDirect : Kind::PointInside;
        return;
    }
    end_ = std::max(first_, last) + 2;
    // From two texels a pixel most columns would be blended for nothing. Shorter steps over at
    // most a frame row always fit the scratch row; a longer run stays safe.
    constexpr std::int64_t kFewestSkipped = 2 * kTexelOne;
    if (ds >= kFewestSkipped || ds <= -kFewestSkipped || end_ - low_ > TextureSampler::kScratchColumns) {
        kind_ = Kind::LinearSkipping;
        std::tie(begin_, stretchEnd_) = AxisStretch(u, s_, ds, count, 1);
        return;
    }
    kind_ = Kind::LinearColumns;
    insideFirst_ = std::clamp<std::int64_t>(0, low_, end_);
    insideEnd_ = std::clamp<std::int64_t>(u.Size(), insideFirst_, end_);
}

TextureSampler::TextureSampler(InstructionSet set) : set_(set) {}

const std::uint32_t* TextureSampler::SampleRow(const RowPlan& plan, std::int64_t t, std::uint32_t* out) {
    const TexelGrid grid(*plan.sampler_);
    const std::int64_t s = plan.s_;
    const std::int64_t ds = plan.ds_;
    const int count = plan.count_;
    switch (plan.kind_) {
    case RowPlan::Kind::Empty: return out;
    case RowPlan::Kind::PointDirect: return grid.Row(TexelIndex(t)) + plan.first_;
    case RowPlan::Kind::PointInside: PointInsideRow(grid.Row(TexelIndex(t)), s, ds, count, out, set_); return out;
    case RowPlan::Kind::PointFolded: PointFoldedRow(grid, grid.Row(TexelIndex(t)), s, ds, count, out); return out;
    case RowPlan::Kind::LinearSkipping: {
        // Each pixel blends its own four texels, folded only at the ends of the run, where they
        // may lie past the edges of the texture.
        t -= kTexelOne / 2;
        const RowPair rows = RowsAt(grid, t);
        const int begin = plan.begin_;
        const int end = plan.stretchEnd_;
        LinearLoop<true>(grid, s, t, ds, 0, begin, out, set_);
        BilinearRow(rows.top, rows.bottom, rows.fy, s + ds * begin, ds, end - begin, out + begin, set_);
        LinearLoop<true>(grid, s + ds * end, t, ds, 0, count - end, out + end, set_);
        return out;
    }
    case RowPlan::Kind::LinearColumns: {
        // Along a row the vertical weight is the same for every pixel, so the two texture rows
        // are blended once per texel column into the scratch row, and each pixel then blends
        // two neighbouring columns.
        std::uint32_t* columns = columns_.data();
        BlendColumnsDown(grid, RowsAt(grid, t - kTexelOne / 2), plan.low_, plan.insideFirst_, plan.insideEnd_,
                         plan.end_, columns, set_);
        const std::uint32_t* firstColumn = columns + (plan.first_ - plan.low_);
        if (ds == kTexelOne) {
            // One texel per pixel: every pixel has the same horizontal weight.
            LerpRun(firstColumn, firstColumn + 1, Fraction(s), count, out, set_);
        } else {
            LerpNeighbours(columns, s - (plan.low_ << kTexelFractionBits), ds, count, out, set_);
        }
        return out;
    }
    }
    return out;
}

const std::uint32_t* TextureSampler::SampleSpan(const SamplerSetup& sampler, std::int64_t s, std::int64_t t,
                                                std::int64_t ds, std::int64_t dt, int count, std::uint32_t* out) {
    if (count <= 0) {
        return out;
    }
    if (dt == 0) {
        return SampleRow(RowPlan(sampler, s, ds, count), t, out);
    }
    const TexelGrid grid(sampler);
    if (sampler.linear) {
        LinearAny(grid, s, t, ds, dt, count, out, set_);
    } else {
        PointAny(grid, s, t, ds, dt, count, out, set_);
    }
    return out;
}

}  // namespace gfx
