#pragma once
#include <cstdint>

#include "gfx/InstructionSet.h"
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
    // For the plain cascade with one diffuse colour: every texel times that colour.
    static void ModulateRun(const std::uint32_t* texels, std::uint32_t colour, int count, std::uint32_t* out,
                            InstructionSet set);
    // Combine for a run of pixels, whole registers at a time as far as the set allows.
    void CombineRun(const std::uint32_t* diffuse, const std::uint32_t* texels0, const std::uint32_t* texels1, int count,
                    std::uint32_t* out, InstructionSet set) const;

private:
    static std::uint32_t CombineStage(const StageState& stage, std::uint32_t texel, std::uint32_t diffuse,
                                      std::uint32_t current);

    const PipelineState& state_;
    bool secondStageActive_;
    bool samples_[kStageCount];
    bool plainModulate_;
};

}  // namespace gfx
