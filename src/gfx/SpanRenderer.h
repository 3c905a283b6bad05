#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "gfx/AttributePlanes.h"
#include "gfx/Blender.h"
#include "gfx/Device.h"
#include "gfx/InstructionSet.h"
#include "gfx/PipelineState.h"
#include "gfx/TextureSampler.h"
#include "gfx/TextureStages.h"

namespace gfx {

// Shades and blends runs of pixels of one row for the rasteriser: the texture stages, the
// samplers and the blender of one draw call.
class SpanRenderer {
public:
    SpanRenderer(std::uint32_t* frame, InstructionSet set);

    // Takes the states of the coming draw; they must stay unchanged until the draw ends.
    void Begin(const PipelineState& state);
    // The interpolated values of the next triangle.
    void SetPlanes(const AttributePlanes& planes);
    // Pixels x0 .. x1 - 1 of row y, all on the frame.
    void DrawSpan(int y, int x0, int x1);
    // Pixels x0 .. x1 - 1 of rows firstRow .. lastRow, all on the frame: a rectangle, whose rows
    // mostly read their textures across alike.
    void DrawRectangle(int firstRow, int lastRow, int x0, int x1);

private:
    struct StageSampling {
        SamplerSetup sampler;
        Plane s;
        Plane t;
        std::int64_t ds = 0;
        std::int64_t dt = 0;
    };

    void SetStageSampling(int stage, const AttributePlanes& planes);
    const std::uint32_t* SampleStage(int stage, int y, int x0, int count);
    void FillDiffuse(int y, int x0, int count);
    const std::uint32_t* ShadeSpan(int y, int x0, int count);

    std::uint32_t* frame_;
    InstructionSet set_;
    const PipelineState* state_ = nullptr;
    std::optional<TextureStages> stages_;
    std::optional<Blender> blender_;
    std::array<StageSampling, kStageCount> sampling_{};
    // While a rectangle is drawn, how each stage whose rows read alike reads across.
    std::array<std::optional<RowPlan>, kStageCount> rowPlans_;
    AttributePlanes planes_;
    bool constantSource_ = false;
    std::uint32_t source_ = 0;

    TextureSampler sampler_;
    std::array<std::array<std::uint32_t, kFrameWidth>, kStageCount> texels_{};
    std::array<std::uint32_t, kFrameWidth> diffuse_{};
    bool flatDiffuse_ = false;  // whether diffuse_ holds one colour across the whole row
    std::array<std::uint32_t, kFrameWidth> shaded_{};
};

}  // namespace gfx
