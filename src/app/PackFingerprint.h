#pragma once
#include <cstdint>

// A 64-bit fingerprint of the packs a battle depends on: the wave data, which decides the
// battle, and the graphics pack, which decides its picture. The sound and music packs change
// neither and are left out, so the fingerprint stays cheap. Read once per run (the first call
// reads the files, from whichever thread); a pack that cannot be read counts as empty.
std::uint64_t PackFingerprint();
