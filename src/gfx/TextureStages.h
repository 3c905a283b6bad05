#pragma once
#include <cstdint>

#include "gfx/PipelineState.h"

namespace gfx {

// The texture stage cascade of one draw: what colour each pixel leaves with before blending,
// from its diffuse colour and the texels of the stages. A stage without a texture reads white.
class TextureStages {
public:
    explicit TextureStages(const PipelineState& state);

    // Whether a stage's texel can change the result (false when it has no texture, too).
    bool SamplesStage(int stage) const { return samples_[stage]; }
    // The common sprite cascade: texture x diffuse for colour and alpha, nothing after.
    bool IsPlainModulate() const { return plainModulate_; }

    std::uint32_t Combine(std::uint32_t diffuse, std::uint32_t texel0, std::uint32_t texel1) const;

private:
    static std::uint32_t CombineStage(const StageState& stage, std::uint32_t texel, std::uint32_t diffuse,
                                      std::uint32_t current);

    const PipelineState& state_;
    bool secondStageActive_;
    bool samples_[kStageCount];
    bool plainModulate_;
};

}  // namespace gfx
