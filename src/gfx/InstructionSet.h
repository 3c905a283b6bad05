#pragma once

namespace gfx {

// The widest registers the pixel loops may use. Every set draws the same pixels bit for bit;
// the narrower ones stay for processors without the wider, and tests run them everywhere.
enum class InstructionSet { Plain, Sse2, Avx2 };

// The widest set this processor and this build can run.
InstructionSet BestInstructionSet();

// Whether the loops of a set may use the instructions of another, narrower or equal one.
inline bool Uses(InstructionSet set, InstructionSet wanted) { return static_cast<int>(set) >= static_cast<int>(wanted); }

}  // namespace gfx
