#pragma once
#include <cstdint>

namespace gfx {

namespace kernels {
enum class Kind;  // in gfx/BlendKernels.h, which must not be seen here before AVX2 is switched on
}

// Whether this processor runs the eight-pixel blending below.
bool HasAvx2Blending();

// kernels::Run with eight pixels to a register; 0 where the build cannot make it.
int BlendRunAvx2(kernels::Kind kind, const std::uint32_t* source, std::uint32_t constant, std::uint32_t* target,
                 int count);

}  // namespace gfx
