#include "gfx/SpanRenderer.h"

#include <algorithm>
#include <cmath>

#include "gfx/PixelMath.h"
#include "gfx/Rounding.h"
#include "gfx/Simd.h"

namespace gfx {

namespace {

using namespace pixel;

// Coordinates far beyond any texture still fold correctly, and keep clear of overflow over a
// whole row of steps.
constexpr double kTexelLimit = 1 << 30;

std::int64_t ToTexelFixed(double texels) {
    // Written as comparisons GCC turns into minsd and maxsd (std::clamp returns references and
    // branches); a NaN passes through, as it does with std::clamp.
    const double low = texels < -kTexelLimit ? -kTexelLimit : texels;
    const double kept = low > kTexelLimit ? kTexelLimit : low;
    return RoundHalfAway(kept * static_cast<double>(kTexelOne));
}

// std::hypot, which is exactly the other side's size when one side is 0: the case of every quad
// that is not turned, without the library call.
double Length(double a, double b) {
    if (b == 0.0) {
        return std::fabs(a);
    }
    if (a == 0.0) {
        return std::fabs(b);
    }
    return std::hypot(a, b);
}

Plane Scaled(const Plane& plane, double factor) { return {plane.base * factor, plane.dx * factor, plane.dy * factor}; }

// Stands in for the texels of a stage that reads no texture.
constexpr std::array<std::uint32_t, kFrameWidth> kWhiteRow = [] {
    std::array<std::uint32_t, kFrameWidth> row{};
    row.fill(kWhite);
    return row;
}();

// One colour channel along a run, in 8.16 fixed point: value at the first pixel, step per pixel.
struct ChannelRun {
    ChannelRun(const Plane& plane, int y, int x0)
        : value(RoundHalfAway(std::clamp(plane.At(x0, y), 0.0, 255.0) * kOne)),
          step(RoundHalfAway(std::clamp(plane.dx, -255.0, 255.0) * kOne)) {}

    // Rounded and kept within 0..255.
    std::uint32_t At(int i) const {
        return static_cast<std::uint32_t>(std::clamp<std::int64_t>((value + step * i + 32768) >> 16, 0, 255));
    }
    // Whether 32-bit lanes hold every value of a run of count pixels, rounding included.
    bool Fits32(int count) const {
        constexpr std::int64_t kLimit = (std::int64_t{1} << 31) - 32768;
        const std::int64_t last = value + step * (count - 1);
        return value < kLimit && value >= -kLimit && last < kLimit && last >= -kLimit;
    }

    static constexpr double kOne = 65536.0;
    std::int64_t value;
    std::int64_t step;
};

#if VELMORIA_SIMD
// Four pixels of each channel a step: 32-bit lanes, narrowed with saturation to 0..255 and
// interleaved into pixels. Returns how many pixels it did.
int InterpolateSse2(const ChannelRun (&argb)[4], int count, std::uint32_t* out) {
    const auto lanes = [](const ChannelRun& c) {
        const auto at = [&c](int i) { return static_cast<int>(c.value + c.step * i); };
        return _mm_setr_epi32(at(0), at(1), at(2), at(3));
    };
    const auto step = [](const ChannelRun& c) { return _mm_set1_epi32(static_cast<int>(c.step * 4)); };
    __m128i a = lanes(argb[0]), r = lanes(argb[1]), g = lanes(argb[2]), b = lanes(argb[3]);
    const __m128i stepA = step(argb[0]), stepR = step(argb[1]), stepG = step(argb[2]), stepB = step(argb[3]);
    const __m128i half = _mm_set1_epi32(32768);
    const auto round = [half](__m128i v) { return _mm_srai_epi32(_mm_add_epi32(v, half), 16); };
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        // b0..b3 r0..r3 g0..g3 a0..a3, then b g r a for each pixel.
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(round(b), round(r)), _mm_packs_epi32(round(g), round(a)));
        const __m128i pairs = _mm_unpacklo_epi8(bytes, _mm_srli_si128(bytes, 8));
        simd::Store(out + i, _mm_unpacklo_epi16(pairs, _mm_srli_si128(pairs, 8)));
        a = _mm_add_epi32(a, stepA);
        r = _mm_add_epi32(r, stepR);
        g = _mm_add_epi32(g, stepG);
        b = _mm_add_epi32(b, stepB);
    }
    return i;
}
#endif

}  // namespace

SpanRenderer::SpanRenderer(std::uint32_t* frame, InstructionSet set) : frame_(frame), set_(set), sampler_(set) {}

void SpanRenderer::Begin(const PipelineState& state) {
    state_ = &state;
    stages_.emplace(state);
    blender_.emplace(state, set_);
}

void SpanRenderer::SetStageSampling(int stage, const AttributePlanes& planes) {
    const StageState& states = state_->stages[stage];
    StageSampling& sampling = sampling_[stage];
    const Texture& texture = *states.texture;
    sampling.s = Scaled(planes.u, texture.Width());
    sampling.t = Scaled(planes.v, texture.Height());
    sampling.ds = ToTexelFixed(sampling.s.dx);
    sampling.dt = ToTexelFixed(sampling.t.dx);
    // Magnified when a pixel covers at most one texel in either direction.
    const double footprint = std::max(Length(sampling.s.dx, sampling.t.dx), Length(sampling.s.dy, sampling.t.dy));
    const std::uint32_t filter = footprint <= 1.0 ? states.magFilter : states.minFilter;
    sampling.sampler = {&texture, filter == TEXF_LINEAR, states.addressU, states.addressV};
}

void SpanRenderer::SetPlanes(const AttributePlanes& planes) {
    planes_ = planes;
    for (int stage = 0; stage < kStageCount; ++stage) {
        if (stages_->SamplesStage(stage)) {
            SetStageSampling(stage, planes);
        }
    }
    constantSource_ = planes.flatColour && !stages_->SamplesStage(0) && !stages_->SamplesStage(1);
    if (constantSource_) {
        source_ = stages_->Combine(planes.colour, kWhite, kWhite);
    }
}

const std::uint32_t* SpanRenderer::SampleStage(int stage, int y, int x0, int count) {
    const StageSampling& sampling = sampling_[stage];
    const std::int64_t t = ToTexelFixed(sampling.t.At(x0, y));
    if (rowPlans_[stage]) {
        return sampler_.SampleRow(*rowPlans_[stage], t, texels_[stage].data());
    }
    return sampler_.SampleSpan(sampling.sampler, ToTexelFixed(sampling.s.At(x0, y)), t, sampling.ds, sampling.dt,
                               count, texels_[stage].data());
}

void SpanRenderer::FillDiffuse(int y, int x0, int count) {
    const ChannelRun argb[4] = {{planes_.alpha, y, x0}, {planes_.red, y, x0}, {planes_.green, y, x0},
                                {planes_.blue, y, x0}};
    int i = 0;
#if VELMORIA_SIMD
    if (Uses(set_, InstructionSet::Sse2) &&
        std::all_of(std::begin(argb), std::end(argb), [count](const ChannelRun& c) { return c.Fits32(count); })) {
        i = InterpolateSse2(argb, count, diffuse_.data());
    }
#endif
    for (; i < count; ++i) {
        diffuse_[i] = Pack(argb[0].At(i), argb[1].At(i), argb[2].At(i), argb[3].At(i));
    }
}

// The source colours of a run, before blending.
const std::uint32_t* SpanRenderer::ShadeSpan(int y, int x0, int count) {
    const std::uint32_t* texels[kStageCount];
    for (int stage = 0; stage < kStageCount; ++stage) {
        texels[stage] = stages_->SamplesStage(stage) ? SampleStage(stage, y, x0, count) : kWhiteRow.data();
    }
    if (planes_.flatColour) {
        // The row keeps the colour from span to span until another is needed.
        if (!flatDiffuse_ || diffuse_[0] != planes_.colour) {
            diffuse_.fill(planes_.colour);
            flatDiffuse_ = true;
        }
    } else {
        FillDiffuse(y, x0, count);
        flatDiffuse_ = false;
    }
    stages_->CombineRun(diffuse_.data(), texels[0], texels[1], count, shaded_.data(), set_);
    return shaded_.data();
}

void SpanRenderer::DrawSpan(int y, int x0, int x1) {
    const int count = x1 - x0;
    std::uint32_t* target = frame_ + static_cast<std::ptrdiff_t>(y) * kFrameWidth + x0;
    if (constantSource_) {
        blender_->BlendConstant(source_, target, count);
        return;
    }
    if (planes_.flatColour && stages_->IsPlainModulate()) {
        // A sprite of one colour (with a texture: without one it is a constant source). Its
        // texels are blended as they are, or tinted on their way into the blend.
        const std::uint32_t* texels = SampleStage(0, y, x0, count);
        if (planes_.colour == kWhite) {
            blender_->BlendSpan(texels, target, count);
        } else {
            blender_->BlendModulated(texels, planes_.colour, target, count);
        }
        return;
    }
    blender_->BlendSpan(ShadeSpan(y, x0, count), target, count);
}

void SpanRenderer::DrawRectangle(int firstRow, int lastRow, int x0, int x1) {
    for (int stage = 0; stage < kStageCount; ++stage) {
        const StageSampling& sampling = sampling_[stage];
        // Rows read alike when the coordinate across neither steps down along a row nor moves
        // from row to row: adding a zero step for the row leaves it as it is.
        if (stages_->SamplesStage(stage) && sampling.dt == 0 && sampling.s.dy == 0.0) {
            rowPlans_[stage].emplace(sampling.sampler, ToTexelFixed(sampling.s.At(x0, firstRow)), sampling.ds,
                                     x1 - x0);
        }
    }
    for (int y = firstRow; y <= lastRow; ++y) {
        DrawSpan(y, x0, x1);
    }
    for (std::optional<RowPlan>& plan : rowPlans_) {
        plan.reset();
    }
}

}  // namespace gfx
