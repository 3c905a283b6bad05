#pragma once
#include <cstdint>

namespace gfx {

// Constants the vector kernels read from memory, one value in every lane of a 32-byte register.
// Their values are defined in LaneConstants.cpp, out of sight of the kernels: the blending loops
// keep more constants than there are registers, and a splat of a value GCC knows is rebuilt from
// an immediate, three instructions, on every pass, where one read from memory is an operand of
// the instruction that uses it. Each value a kernel uses is instantiated there.
template <std::uint32_t kValue>
struct Lanes32 {
    alignas(32) static const std::uint32_t kLanes[8];
};

template <std::uint16_t kValue>
struct Lanes16 {
    alignas(32) static const std::uint16_t kLanes[16];
};

}  // namespace gfx
