#include "gfx/SpanRenderer.h"

#include <algorithm>
#include <cmath>

#include "gfx/PixelMath.h"
#include "gfx/Simd.h"

namespace gfx {

namespace {

using namespace pixel;

// Coordinates far beyond any texture still fold correctly, and keep clear of overflow over a
// whole row of steps.
constexpr double kTexelLimit = 1 << 30;

std::int64_t ToTexelFixed(double texels) {
    return std::llround(std::clamp(texels, -kTexelLimit, kTexelLimit) * static_cast<double>(kTexelOne));
}

Plane Scaled(const Plane& plane, double factor) { return {plane.base * factor, plane.dx * factor, plane.dy * factor}; }

// One colour channel along a run, in 8.16 fixed point, rounded and kept within 0..255.
void InterpolateChannel(const Plane& plane, int y, int x0, int count, int shift, std::uint32_t* out) {
    constexpr double kOne = 65536.0;
    std::int64_t value = std::llround(std::clamp(plane.At(x0, y), 0.0, 255.0) * kOne);
    const std::int64_t step = std::llround(std::clamp(plane.dx, -255.0, 255.0) * kOne);
    for (int i = 0; i < count; ++i, value += step) {
        const std::int64_t channel = std::clamp<std::int64_t>((value + 32768) >> 16, 0, 255);
        out[i] |= static_cast<std::uint32_t>(channel) << shift;
    }
}

// Every texel times one colour, channel by channel.
void ModulateRun(const std::uint32_t* texels, std::uint32_t colour, int count, std::uint32_t* out) {
    int i = 0;
#if VELMORIA_SIMD
    const simd::Pixels wide = simd::WidenLow(simd::Splat(colour));
    for (; i + 4 <= count; i += 4) {
        const simd::Pixels t = simd::Load(texels + i);
        simd::Store(out + i, simd::Narrow(simd::Div255(_mm_mullo_epi16(simd::WidenLow(t), wide)),
                                          simd::Div255(_mm_mullo_epi16(simd::WidenHigh(t), wide))));
    }
#endif
    for (; i < count; ++i) {
        out[i] = Modulate(texels[i], colour);
    }
}

}  // namespace

SpanRenderer::SpanRenderer(std::uint32_t* frame) : frame_(frame) {}

void SpanRenderer::Begin(const PipelineState& state) {
    state_ = &state;
    stages_.emplace(state);
    blender_.emplace(state);
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
    const double footprint = std::max(std::hypot(sampling.s.dx, sampling.t.dx), std::hypot(sampling.s.dy, sampling.t.dy));
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
    return sampler_.SampleSpan(sampling.sampler, ToTexelFixed(sampling.s.At(x0, y)),
                               ToTexelFixed(sampling.t.At(x0, y)), sampling.ds, sampling.dt, count,
                               texels_[stage].data());
}

void SpanRenderer::FillDiffuse(int y, int x0, int count) {
    std::fill_n(diffuse_.begin(), count, 0u);
    InterpolateChannel(planes_.alpha, y, x0, count, 24, diffuse_.data());
    InterpolateChannel(planes_.red, y, x0, count, 16, diffuse_.data());
    InterpolateChannel(planes_.green, y, x0, count, 8, diffuse_.data());
    InterpolateChannel(planes_.blue, y, x0, count, 0, diffuse_.data());
}

// The source colours of a run, before blending.
const std::uint32_t* SpanRenderer::ShadeSpan(int y, int x0, int count) {
    if (planes_.flatColour && stages_->IsPlainModulate()) {
        // Reached only with a texture: a flat colour without one is a constant source.
        const std::uint32_t* texels = SampleStage(0, y, x0, count);
        if (planes_.colour == kWhite) {
            return texels;
        }
        ModulateRun(texels, planes_.colour, count, shaded_.data());
        return shaded_.data();
    }
    const std::uint32_t* texels[kStageCount];
    for (int stage = 0; stage < kStageCount; ++stage) {
        if (stages_->SamplesStage(stage)) {
            texels[stage] = SampleStage(stage, y, x0, count);
        } else {
            std::fill_n(texels_[stage].begin(), count, kWhite);
            texels[stage] = texels_[stage].data();
        }
    }
    if (planes_.flatColour) {
        std::fill_n(diffuse_.begin(), count, planes_.colour);
    } else {
        FillDiffuse(y, x0, count);
    }
    for (int i = 0; i < count; ++i) {
        shaded_[i] = stages_->Combine(diffuse_[i], texels[0][i], texels[1][i]);
    }
    return shaded_.data();
}

void SpanRenderer::DrawSpan(int y, int x0, int x1) {
    const int count = x1 - x0;
    std::uint32_t* target = frame_ + static_cast<std::ptrdiff_t>(y) * kFrameWidth + x0;
    if (constantSource_) {
        blender_->BlendConstant(source_, target, count);
        return;
    }
    blender_->BlendSpan(ShadeSpan(y, x0, count), target, count);
}

}  // namespace gfx
