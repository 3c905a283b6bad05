#pragma once
#include <array>
#include <cstdint>

#include "gfx/RenderStates.h"
#include "gfx/Texture.h"

namespace gfx {

// One texture stage: how it combines its arguments, and how it samples its texture. The
// defaults are Direct3D 9's for stage 0; later stages start disabled.
struct StageState {
    std::uint32_t colourOp = TOP_MODULATE;
    std::uint32_t colourArg1 = TA_TEXTURE;
    std::uint32_t colourArg2 = TA_CURRENT;
    std::uint32_t alphaOp = TOP_SELECTARG1;
    std::uint32_t alphaArg1 = TA_TEXTURE;
    std::uint32_t alphaArg2 = TA_CURRENT;
    std::uint32_t minFilter = TEXF_POINT;
    std::uint32_t magFilter = TEXF_POINT;
    std::uint32_t addressU = TADDRESS_WRAP;
    std::uint32_t addressV = TADDRESS_WRAP;
    const Texture* texture = nullptr;
};

constexpr int kStageCount = 2;

// Everything a draw call reads from the device's states.
struct PipelineState {
    PipelineState() {
        stages[1].colourOp = TOP_DISABLE;
        stages[1].alphaOp = TOP_DISABLE;
    }

    std::array<StageState, kStageCount> stages{};
    bool blendEnabled = false;
    std::uint32_t srcBlend = BLEND_ONE;
    std::uint32_t destBlend = BLEND_ZERO;
};

}  // namespace gfx
