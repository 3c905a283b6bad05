#pragma once
#include <cstdint>

#include "gfx/PipelineState.h"

namespace gfx {

namespace kernels {
enum class Kind;  // in gfx/BlendKernels.h, which must not be seen here before AVX2 is switched on
}

// kernels::Run with eight pixels to a register, the last few of a run in a masked one; 0 where
// the build cannot make it. Only where BestInstructionSet() is Avx2.
int BlendRunAvx2(kernels::Kind kind, const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target,
                 int count);

// kernels::ModulatedRun, texels times a colour blended in one pass, eight pixels to a register.
int BlendModulatedRunAvx2(kernels::Kind kind, const std::uint32_t* texels, std::uint32_t colour, std::uint32_t* target,
                          int count);

// kernels::ModulateRun with eight pixels to a register, the last few in a masked one.
int ModulateRunAvx2(const std::uint32_t* texels, std::uint32_t colour, int count, std::uint32_t* out);

// kernels::CombineRun, the texture stages, with eight pixels to a register.
int CombineRunAvx2(const StageState& first, const StageState* second, const std::uint32_t* diffuse,
                   const std::uint32_t* texels0, const std::uint32_t* texels1, int count, std::uint32_t* out);

}  // namespace gfx
