#pragma once
#include <cstdint>

#include "gfx/InstructionSet.h"
#include "gfx/PipelineState.h"

namespace gfx {

namespace kernels {
enum class Kind;  // in gfx/BlendKernels.h
}

// How a draw's source pixels meet the frame. The frame has no alpha of its own (an X8R8G8B8
// back buffer): only colour is blended and every written pixel is opaque.
class Blender {
public:
    Blender(const PipelineState& state, InstructionSet set);

    void BlendSpan(const std::uint32_t* source, std::uint32_t* target, int count) const;
    // The same with one source colour for the whole run (untextured quads, fades).
    void BlendConstant(std::uint32_t source, std::uint32_t* target, int count) const;
    // The same with every texel times one colour as the source (tinted and fading sprites): as
    // modulating first and then blending, in one pass where the widest registers serve.
    void BlendModulated(const std::uint32_t* texels, std::uint32_t colour, std::uint32_t* target, int count) const;

private:
    enum class Mode { Replace, SourceOver, Additive, Factors };

    // From source, or from one constant colour when source is null.
    void Blend(const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target, int count) const;
    // Pixels done .. count - 1 of a run, in narrower registers or one by one; kept apart so that
    // Blend stays short for the runs the widest registers finish.
    [[gnu::noinline]] void BlendRest(int done, const std::uint32_t* source, std::uint32_t constant,
                                     std::uint32_t* target, int count) const;
    kernels::Kind KernelKind() const;

    Mode mode_;
    std::uint32_t sourceFactor_;
    std::uint32_t targetFactor_;
    InstructionSet set_;
};

}  // namespace gfx
