#include "gfx/TextureStages.h"

#include <algorithm>

#include "gfx/KernelsAvx2.h"
#include "gfx/PixelMath.h"
#include "gfx/Simd.h"
#include "gfx/StageKernels.h"

namespace gfx {

namespace {

using namespace pixel;

bool IsPair(std::uint32_t arg1, std::uint32_t arg2, std::uint32_t a, std::uint32_t b) {
    return (arg1 == a && arg2 == b) || (arg1 == b && arg2 == a);
}

// True when one operation of a stage yields "current" unchanged for a stage without a texture.
bool KeepsCurrent(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, bool hasTexture) {
    switch (op) {
    case TOP_DISABLE: return true;
    case TOP_SELECTARG1: return arg1 == TA_CURRENT;
    case TOP_SELECTARG2: return arg2 == TA_CURRENT;
    case TOP_MODULATE: return !hasTexture && IsPair(arg1, arg2, TA_TEXTURE, TA_CURRENT);
    default: return false;
    }
}

bool UsesTexture(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2) {
    switch (op) {
    case TOP_SELECTARG1: return arg1 == TA_TEXTURE;
    case TOP_SELECTARG2: return arg2 == TA_TEXTURE;
    case TOP_MODULATE:
    case TOP_ADD: return arg1 == TA_TEXTURE || arg2 == TA_TEXTURE;
    default: return false;
    }
}

bool IsTextureTimesDiffuse(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2) {
    // On the first stage "current" is the diffuse colour.
    return op == TOP_MODULATE && (IsPair(arg1, arg2, TA_TEXTURE, TA_DIFFUSE) || IsPair(arg1, arg2, TA_TEXTURE, TA_CURRENT));
}

}  // namespace

TextureStages::TextureStages(const PipelineState& state) : state_(state) {
    const StageState& first = state.stages[0];
    const StageState& second = state.stages[1];
    const bool secondHasTexture = second.texture != nullptr;
    secondStageActive_ = first.colourOp != TOP_DISABLE &&
                         !(second.colourOp == TOP_DISABLE ||
                           (KeepsCurrent(second.colourOp, second.colourArg1, second.colourArg2, secondHasTexture) &&
                            KeepsCurrent(second.alphaOp, second.alphaArg1, second.alphaArg2, secondHasTexture)));
    const bool firstEnabled = first.colourOp != TOP_DISABLE;
    samples_[0] = first.texture != nullptr && firstEnabled &&
                  (UsesTexture(first.colourOp, first.colourArg1, first.colourArg2) ||
                   UsesTexture(first.alphaOp, first.alphaArg1, first.alphaArg2));
    samples_[1] = secondHasTexture && secondStageActive_ &&
                  (UsesTexture(second.colourOp, second.colourArg1, second.colourArg2) ||
                   UsesTexture(second.alphaOp, second.alphaArg1, second.alphaArg2));
    plainModulate_ = !secondStageActive_ && IsTextureTimesDiffuse(first.colourOp, first.colourArg1, first.colourArg2) &&
                     IsTextureTimesDiffuse(first.alphaOp, first.alphaArg1, first.alphaArg2);
}

std::uint32_t TextureStages::CombineStage(const StageState& stage, std::uint32_t texel, std::uint32_t diffuse,
                                          std::uint32_t current) {
    const auto argument = [&](std::uint32_t arg) {
        switch (arg) {
        case TA_DIFFUSE: return diffuse;
        case TA_TEXTURE: return texel;
        default: return current;
        }
    };
    const auto operate = [&](std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2) {
        switch (op) {
        case TOP_SELECTARG1: return argument(arg1);
        case TOP_SELECTARG2: return argument(arg2);
        case TOP_MODULATE: return Modulate(argument(arg1), argument(arg2));
        case TOP_ADD: return AddSaturate(argument(arg1), argument(arg2));
        default: return current;
        }
    };
    const std::uint32_t colour = operate(stage.colourOp, stage.colourArg1, stage.colourArg2);
    const std::uint32_t alpha = operate(stage.alphaOp, stage.alphaArg1, stage.alphaArg2);
    return (colour & 0x00FFFFFFu) | (alpha & 0xFF000000u);
}

std::uint32_t TextureStages::Combine(std::uint32_t diffuse, std::uint32_t texel0, std::uint32_t texel1) const {
    const StageState& first = state_.stages[0];
    if (first.colourOp == TOP_DISABLE) {
        return diffuse;
    }
    const std::uint32_t current = CombineStage(first, texel0, diffuse, diffuse);
    return secondStageActive_ ? CombineStage(state_.stages[1], texel1, diffuse, current) : current;
}

void TextureStages::ModulateRun(const std::uint32_t* texels, std::uint32_t colour, int count, std::uint32_t* out,
                                InstructionSet set) {
    int i = Uses(set, InstructionSet::Avx2) ? ModulateRunAvx2(texels, colour, count, out) : 0;
#if VELMORIA_SIMD
    if (Uses(set, InstructionSet::Sse2)) {
        i += kernels::ModulateRun<simd::Sse2>(texels + i, colour, count - i, out + i);
    }
#endif
    for (; i < count; ++i) {
        out[i] = Modulate(texels[i], colour);
    }
}

void TextureStages::CombineRun(const std::uint32_t* diffuse, const std::uint32_t* texels0,
                               const std::uint32_t* texels1, int count, std::uint32_t* out, InstructionSet set) const {
    const StageState& first = state_.stages[0];
    if (first.colourOp == TOP_DISABLE) {
        std::copy_n(diffuse, count, out);
        return;
    }
    const StageState* second = secondStageActive_ ? &state_.stages[1] : nullptr;
    int i = Uses(set, InstructionSet::Avx2) ? CombineRunAvx2(first, second, diffuse, texels0, texels1, count, out) : 0;
#if VELMORIA_SIMD
    if (Uses(set, InstructionSet::Sse2)) {
        i += kernels::CombineRun<simd::Sse2>(first, second, diffuse + i, texels0 + i, texels1 + i, count - i, out + i);
    }
#endif
    for (; i < count; ++i) {
        out[i] = Combine(diffuse[i], texels0[i], texels1[i]);
    }
}

}  // namespace gfx
