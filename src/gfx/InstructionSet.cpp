#include "gfx/InstructionSet.h"

#include "gfx/Simd.h"

namespace gfx {

InstructionSet BestInstructionSet() {
    // The AVX2 routines are only built by GCC for x86-64 (see SampleAvx2.cpp).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
    if (__builtin_cpu_supports("avx2")) {
        return InstructionSet::Avx2;
    }
#endif
#if VELMORIA_SIMD
    return InstructionSet::Sse2;
#else
    return InstructionSet::Plain;
#endif
}

}  // namespace gfx
