#pragma once
#include <cstdint>

#include "gfx/BlendKernels.h"
#include "gfx/PipelineState.h"
#include "gfx/RenderStates.h"

// The texture stage cascade on whole registers, written once for any register width: V supplies
// the instructions and kPixels (see BlendKernels.h). Each operation gives exactly the result of
// its scalar twin in TextureStages.cpp. Only templates live here, because this file is compiled
// for more than one instruction set.
namespace gfx::kernels {

// Channel by channel product, 255 standing for one.
template <typename V>
typename V::Pixels Modulate(typename V::Pixels a, typename V::Pixels b) {
    return V::Narrow(V::Div255(V::Mul16(V::WidenLow(a), V::WidenLow(b))),
                     V::Div255(V::Mul16(V::WidenHigh(a), V::WidenHigh(b))));
}

template <typename V>
typename V::Pixels Argument(std::uint32_t arg, typename V::Pixels diffuse, typename V::Pixels texel,
                            typename V::Pixels current) {
    switch (arg) {
    case TA_DIFFUSE: return diffuse;
    case TA_TEXTURE: return texel;
    default: return current;
    }
}

template <typename V>
typename V::Pixels Operate(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, typename V::Pixels diffuse,
                           typename V::Pixels texel, typename V::Pixels current) {
    switch (op) {
    case TOP_SELECTARG1: return Argument<V>(arg1, diffuse, texel, current);
    case TOP_SELECTARG2: return Argument<V>(arg2, diffuse, texel, current);
    case TOP_MODULATE:
        return Modulate<V>(Argument<V>(arg1, diffuse, texel, current), Argument<V>(arg2, diffuse, texel, current));
    case TOP_ADD:
        return V::AddSaturate8(Argument<V>(arg1, diffuse, texel, current), Argument<V>(arg2, diffuse, texel, current));
    default: return current;
    }
}

// One stage: colour from its colour operation, alpha from its alpha operation.
template <typename V>
typename V::Pixels CombineStage(const StageState& stage, typename V::Pixels diffuse, typename V::Pixels texel,
                                typename V::Pixels current) {
    const typename V::Pixels colour =
        Operate<V>(stage.colourOp, stage.colourArg1, stage.colourArg2, diffuse, texel, current);
    // Sprites modulate colour and alpha alike: one operation serves both.
    if (stage.alphaOp == stage.colourOp && stage.alphaArg1 == stage.colourArg1 && stage.alphaArg2 == stage.colourArg2) {
        return colour;
    }
    const typename V::Pixels alpha = Operate<V>(stage.alphaOp, stage.alphaArg1, stage.alphaArg2, diffuse, texel, current);
    return V::Or(V::And(colour, V::template Constant<0x00FFFFFFu>()),
                 V::And(alpha, V::template Constant<0xFF000000u>()));
}

// Texels times one colour, whose channels are spread over 16-bit lanes as WidenLow spreads them.
template <typename V>
typename V::Pixels Modulated(typename V::Pixels texels, typename V::Pixels wideColour) {
    return V::Narrow(V::Div255(V::Mul16(V::WidenLow(texels), wideColour)),
                     V::Div255(V::Mul16(V::WidenHigh(texels), wideColour)));
}

// Every texel times one colour, over the whole registers of a run and, where V masks lanes, its
// last pixels: the common sprite cascade.
template <typename V>
int ModulateRun(const std::uint32_t* texels, std::uint32_t colour, int count, std::uint32_t* out) {
    const typename V::Pixels wide = V::WidenLow(V::Splat(colour));
    const auto modulate = [wide](typename V::Pixels t, typename V::Pixels) { return Modulated<V>(t, wide); };
    int i = 0;
    for (; i + V::kPixels <= count; i += V::kPixels) {
        V::Store(out + i, modulate(V::Load(texels + i), typename V::Pixels{}));
    }
    return i + Tail<V>(texels + i, 0, out + i, count - i, modulate);
}

// Texels tinted black, as shadows are drawn: of each texel only its alpha, times the colour's
// alpha, is left. Modulated gives the same for a black colour.
template <typename V>
typename V::Pixels Darkened(typename V::Pixels texels, typename V::Pixels alpha) {
    // Each alpha sits in the low 16-bit lane of its pixel; the high lane stays 0 throughout.
    return V::ShiftLeft32(V::Div255(V::Mul16(V::ShiftRight32(texels, 24), alpha)), 24);
}

// Two widened target pixels under a black source: SourceOverWide with nothing added from it.
template <typename V>
typename V::Pixels DarkenWide(typename V::Pixels dw, typename V::Pixels a) {
    return V::Div255(V::Mul16(dw, V::Sub16(V::template Constant16<255>(), a)));
}

// SourceOver of a black source: the target darkened by the source's alpha.
template <typename V>
typename V::Pixels OverBlack(typename V::Pixels s, typename V::Pixels d) {
    if (OpaqueOrClear<V>(s)) {
        return V::OpaqueOrTarget(s, d);
    }
    return Opaque<V>(
        V::Narrow(DarkenWide<V>(V::WidenLow(d), V::AlphaLow(s)), DarkenWide<V>(V::WidenHigh(d), V::AlphaHigh(s))));
}

// ModulateRun and then Run in one pass: every texel times one colour, blended onto the target.
template <typename V, Kind kKind>
int ModulatedRunKind(const std::uint32_t* texels, std::uint32_t colour, std::uint32_t* target, int count) {
    if constexpr (kKind == Kind::SourceOver) {
        if ((colour & 0x00FFFFFFu) == 0) {
            const typename V::Pixels alpha = V::Splat16(colour >> 24);
            return BlendEach<V>(texels, target, count, [alpha](typename V::Pixels t, typename V::Pixels d) {
                return OverBlack<V>(Darkened<V>(t, alpha), d);
            });
        }
    }
    const typename V::Pixels wide = V::WidenLow(V::Splat(colour));
    return BlendEach<V>(texels, target, count, [wide](typename V::Pixels t, typename V::Pixels d) {
        return Apply<V, kKind>(Modulated<V>(t, wide), d);
    });
}

template <typename V>
int ModulatedRun(Kind kind, const std::uint32_t* texels, std::uint32_t colour, std::uint32_t* target, int count) {
    switch (kind) {
    case Kind::Replace: return ModulatedRunKind<V, Kind::Replace>(texels, colour, target, count);
    case Kind::SourceOver: return ModulatedRunKind<V, Kind::SourceOver>(texels, colour, target, count);
    case Kind::Additive: return ModulatedRunKind<V, Kind::Additive>(texels, colour, target, count);
    }
    return 0;
}

// The cascade over the whole registers of a run, the second stage only where it is given;
// returns how many pixels it did.
template <typename V>
int CombineRun(const StageState& first, const StageState* second, const std::uint32_t* diffuse,
               const std::uint32_t* texels0, const std::uint32_t* texels1, int count, std::uint32_t* out) {
    int i = 0;
    for (; i + V::kPixels <= count; i += V::kPixels) {
        const typename V::Pixels d = V::Load(diffuse + i);
        typename V::Pixels current = CombineStage<V>(first, d, V::Load(texels0 + i), d);
        if (second != nullptr) {
            current = CombineStage<V>(*second, d, V::Load(texels1 + i), current);
        }
        V::Store(out + i, current);
    }
    return i;
}

}  // namespace gfx::kernels
