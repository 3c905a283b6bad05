#include "gfx/Blender.h"

#include <algorithm>

#include "gfx/PixelMath.h"
#include "gfx/Simd.h"

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

struct SpanSource {
    const std::uint32_t* pixels;
    std::uint32_t operator[](int i) const { return pixels[i]; }
#if VELMORIA_SIMD
    simd::Pixels Load(int i) const { return simd::Load(pixels + i); }
#endif
};

struct ConstantSource {
    std::uint32_t colour;
    std::uint32_t operator[](int) const { return colour; }
#if VELMORIA_SIMD
    simd::Pixels Load(int) const { return simd::Splat(colour); }
#endif
};

#if VELMORIA_SIMD
// Sprites are mostly fully opaque or fully transparent; such groups need no arithmetic.
bool AllAlphas(simd::Pixels s, std::uint32_t alpha) {
    const simd::Pixels alphas = _mm_and_si128(s, simd::Splat(0xFF000000u));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(alphas, simd::Splat(alpha << 24))) == 0xFFFF;
}

simd::Pixels SourceOver(simd::Pixels s, simd::Pixels d) {
    if (AllAlphas(s, 255)) {
        return s;
    }
    if (AllAlphas(s, 0)) {
        return d;
    }
    const simd::Pixels full = simd::Splat16(255);
    const auto half = [&](simd::Pixels sw, simd::Pixels dw) {
        const simd::Pixels a = simd::SpreadAlpha(sw);
        return simd::Div255(_mm_add_epi16(_mm_mullo_epi16(sw, a), _mm_mullo_epi16(dw, _mm_sub_epi16(full, a))));
    };
    const simd::Pixels blended = simd::Narrow(half(simd::WidenLow(s), simd::WidenLow(d)),
                                              half(simd::WidenHigh(s), simd::WidenHigh(d)));
    return _mm_or_si128(blended, simd::Splat(kOpaque));
}

simd::Pixels Additive(simd::Pixels s, simd::Pixels d) {
    if (AllAlphas(s, 0)) {
        return d;
    }
    const auto half = [](simd::Pixels sw) { return simd::Div255(_mm_mullo_epi16(sw, simd::SpreadAlpha(sw))); };
    const simd::Pixels weighted = simd::Narrow(half(simd::WidenLow(s)), half(simd::WidenHigh(s)));
    return _mm_or_si128(_mm_adds_epu8(weighted, d), simd::Splat(kOpaque));
}

simd::Pixels Replace(simd::Pixels s, simd::Pixels) { return _mm_or_si128(s, simd::Splat(kOpaque)); }
#endif

std::uint32_t Replace(std::uint32_t s, std::uint32_t) { return s | kOpaque; }

// Runs one blend function over a span, four pixels at a time where the processor allows.
template <typename Source, typename Function>
void Run(Source source, std::uint32_t* target, int count, Function function) {
    int i = 0;
#if VELMORIA_SIMD
    for (; i + 4 <= count; i += 4) {
        simd::Store(target + i, function(source.Load(i), simd::Load(target + i)));
    }
#endif
    for (; i < count; ++i) {
        target[i] = function(source[i], target[i]);
    }
}

}  // namespace

Blender::Blender(const PipelineState& state)
    : mode_(Mode::Factors), sourceFactor_(state.srcBlend), targetFactor_(state.destBlend) {
    if (!state.blendEnabled || (sourceFactor_ == BLEND_ONE && targetFactor_ == BLEND_ZERO)) {
        mode_ = Mode::Replace;
    } else if (sourceFactor_ == BLEND_SRCALPHA && targetFactor_ == BLEND_INVSRCALPHA) {
        mode_ = Mode::SourceOver;
    } else if (sourceFactor_ == BLEND_SRCALPHA && targetFactor_ == BLEND_ONE) {
        mode_ = Mode::Additive;
    }
}

template <typename Source>
void Blender::Blend(Source source, std::uint32_t* target, int count) const {
    // Overloaded functions take both the scalar and the vector form.
    const auto replace = [](auto s, auto d) { return Replace(s, d); };
    const auto sourceOver = [](auto s, auto d) { return SourceOver(s, d); };
    const auto additive = [](auto s, auto d) { return Additive(s, d); };
    switch (mode_) {
    case Mode::Replace: Run(source, target, count, replace); break;
    case Mode::SourceOver: Run(source, target, count, sourceOver); break;
    case Mode::Additive: Run(source, target, count, additive); break;
    case Mode::Factors:
        for (int i = 0; i < count; ++i) {
            target[i] = Factors(source[i], target[i], sourceFactor_, targetFactor_);
        }
        break;
    }
}

void Blender::BlendSpan(const std::uint32_t* source, std::uint32_t* target, int count) const {
    Blend(SpanSource{source}, target, count);
}

void Blender::BlendConstant(std::uint32_t source, std::uint32_t* target, int count) const {
    Blend(ConstantSource{source}, target, count);
}

}  // namespace gfx
