#include "gfx/Blender.h"

#include <algorithm>
#include <array>

#include "gfx/BlendKernels.h"
#include "gfx/Device.h"
#include "gfx/KernelsAvx2.h"
#include "gfx/PixelMath.h"
#include "gfx/Simd.h"
#include "gfx/TextureStages.h"

namespace gfx {

namespace {

using namespace pixel;

constexpr std::uint32_t kRedBlue = 0x00FF00FFu;

// Div255 on the two 16-bit lanes of a red/blue pair.
constexpr std::uint32_t Div255Pair(std::uint32_t x) {
    x += 0x00800080u;
    return ((x + ((x >> 8) & kRedBlue)) >> 8) & kRedBlue;
}

std::uint32_t SourceOver(std::uint32_t s, std::uint32_t d) {
    const std::uint32_t a = Alpha(s);
    const std::uint32_t keep = 255 - a;
    const std::uint32_t rb = Div255Pair((s & kRedBlue) * a + (d & kRedBlue) * keep);
    const std::uint32_t g = Div255(Green(s) * a + Green(d) * keep);
    return kOpaque | rb | g << 8;
}

std::uint32_t Additive(std::uint32_t s, std::uint32_t d) {
    const std::uint32_t a = Alpha(s);
    const std::uint32_t rb = Div255Pair((s & kRedBlue) * a) + (d & kRedBlue);
    const std::uint32_t g = std::min(Div255(Green(s) * a) + Green(d), 255u);
    // Lanes that passed 255 carried into bit 8 of their lane; turn each carry into 0xFF.
    const std::uint32_t carry = rb & 0x01000100u;
    return kOpaque | ((rb | (carry - (carry >> 8))) & kRedBlue) | g << 8;
}

std::uint32_t Factor(std::uint32_t factor, std::uint32_t sourceAlpha, std::uint32_t otherwise) {
    switch (factor) {
    case BLEND_ZERO: return 0;
    case BLEND_ONE: return 255;
    case BLEND_SRCALPHA: return sourceAlpha;
    case BLEND_INVSRCALPHA: return 255 - sourceAlpha;
    default: return otherwise;
    }
}

// Any pair of the factors we know; unknown source factors count as one, unknown target
// factors as zero, so an unexpected state still shows the drawing.
std::uint32_t Factors(std::uint32_t s, std::uint32_t d, std::uint32_t sourceFactor, std::uint32_t targetFactor) {
    const std::uint32_t fs = Factor(sourceFactor, Alpha(s), 255);
    const std::uint32_t fd = Factor(targetFactor, Alpha(s), 0);
    const auto channel = [&](std::uint32_t sc, std::uint32_t dc) { return std::min((sc * fs + dc * fd + 127) / 255, 255u); };
    return Pack(255, channel(Red(s), Red(d)), channel(Green(s), Green(d)), channel(Blue(s), Blue(d)));
}

std::uint32_t Replace(std::uint32_t s, std::uint32_t) { return s | kOpaque; }

}  // namespace

Blender::Blender(const PipelineState& state, InstructionSet set)
    : mode_(Mode::Factors), sourceFactor_(state.srcBlend), targetFactor_(state.destBlend), set_(set) {
    if (!state.blendEnabled || (sourceFactor_ == BLEND_ONE && targetFactor_ == BLEND_ZERO)) {
        mode_ = Mode::Replace;
    } else if (sourceFactor_ == BLEND_SRCALPHA && targetFactor_ == BLEND_INVSRCALPHA) {
        mode_ = Mode::SourceOver;
    } else if (sourceFactor_ == BLEND_SRCALPHA && targetFactor_ == BLEND_ONE) {
        mode_ = Mode::Additive;
    }
}

kernels::Kind Blender::KernelKind() const {
    return mode_ == Mode::Replace ? kernels::Kind::Replace
           : mode_ == Mode::SourceOver ? kernels::Kind::SourceOver
                                       : kernels::Kind::Additive;
}

void Blender::Blend(const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target, int count) const {
    // The frame is opaque throughout, and over an opaque pixel a source of alpha 0 blended by its
    // alpha leaves it as it is: fades at their start and clear overlays draw nothing.
    if (source == nullptr && Alpha(constant) == 0 && (mode_ == Mode::SourceOver || mode_ == Mode::Additive)) {
        return;
    }
    // The widest registers do whole runs, their last pixels masked, and return straight away: a
    // frame blends tens of thousands of short runs.
    int done = 0;
    if (mode_ != Mode::Factors && Uses(set_, InstructionSet::Avx2)) {
        done = BlendRunAvx2(KernelKind(), source, constant, target, count);
        if (done == count) {
            return;
        }
    }
    BlendRest(done, source, constant, target, count);
}

void Blender::BlendRest(int done, const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target,
                        int count) const {
#if VELMORIA_SIMD
    if (mode_ != Mode::Factors && Uses(set_, InstructionSet::Sse2)) {
        done += kernels::Run<simd::Sse2>(KernelKind(), source != nullptr ? source + done : nullptr, constant,
                                         target + done, count - done);
    }
#endif
    const auto tail = [&](auto blend) {
        for (int i = done; i < count; ++i) {
            target[i] = blend(source != nullptr ? source[i] : constant, target[i]);
        }
    };
    switch (mode_) {
    case Mode::Replace: tail(Replace); break;
    case Mode::SourceOver: tail(SourceOver); break;
    case Mode::Additive: tail(Additive); break;
    case Mode::Factors:
        tail([this](std::uint32_t s, std::uint32_t d) { return Factors(s, d, sourceFactor_, targetFactor_); });
        break;
    }
}

void Blender::BlendModulated(const std::uint32_t* texels, std::uint32_t colour, std::uint32_t* target,
                             int count) const {
    int done = 0;
    if (mode_ != Mode::Factors && Uses(set_, InstructionSet::Avx2)) {
        done = BlendModulatedRunAvx2(KernelKind(), texels, colour, target, count);
        if (done == count) {
            return;
        }
    }
    // Elsewhere the texels are modulated first, a frame row at a time.
    std::array<std::uint32_t, kFrameWidth> modulated;
    for (; done < count; done += kFrameWidth) {
        const int part = std::min(count - done, kFrameWidth);
        TextureStages::ModulateRun(texels + done, colour, part, modulated.data(), set_);
        Blend(modulated.data(), 0, target + done, part);
    }
}

void Blender::BlendSpan(const std::uint32_t* source, std::uint32_t* target, int count) const {
    Blend(source, 0, target, count);
}

void Blender::BlendConstant(std::uint32_t source, std::uint32_t* target, int count) const {
    Blend(nullptr, source, target, count);
}

}  // namespace gfx
