#pragma once
#include <cstdint>

#include "gfx/Texture.h"

// Sampling eight pixels to a register, for processors with AVX2; call these only where
// BestInstructionSet() is Avx2. Each does whole runs, the last pixels in a masked register, and
// returns how many pixels it did (0 where the build cannot make them), leaving the rest to the
// caller. Results equal the scalar filtering bit for bit. Coordinates are 16.16
// fixed point in texels (for linear filtering already moved back half a texel), and every texel
// a routine uses must lie inside the memory it is given, which must stay readable for
// kTexelReadAhead texels past the last (texels read there in whole registers are never used).
// Runs whose coordinates do not all fit 0 .. 2^31 - 1 are left wholly to the caller.
namespace gfx {

// out[i] = Lerp(a[i], b[i], weight).
int LerpRunAvx2(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t weight, int count, std::uint32_t* out);

// out[i] = Lerp(columns[k], columns[k + 1], fraction), k and fraction from s + i * ds; runs that
// step two texels a pixel or more are left to the caller.
int LerpNeighboursAvx2(const std::uint32_t* columns, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out);

// Bilinear filtering with every pixel between the same two texture rows, blended by fy.
int BilinearRowAvx2(const std::uint32_t* top, const std::uint32_t* bottom, std::uint32_t fy, std::int64_t s,
                    std::int64_t ds, int count, std::uint32_t* out);

// Bilinear filtering along any direction through a texture of 2^widthLog2 texels a row.
int BilinearAvx2(const std::uint32_t* texels, int widthLog2, std::int64_t s, std::int64_t t, std::int64_t ds,
                 std::int64_t dt, int count, std::uint32_t* out);

// How texel indices fold into one axis of a texture: clamped to 0 .. size - 1, or wrapped or
// mirrored through mask (the sampler's addressing modes).
struct AxisFold {
    bool clamp = false;
    int mask = 0;
    int size = 1;
    int sizeLog2 = 0;
};

// Bilinear filtering along any direction with every texel index folded into the texture: runs
// that cross its edges or repeat it. Coordinates may be negative here; runs whose coordinates do
// not all fit -2^31 .. 2^31 - 1 are left to the caller.
int BilinearFoldedAvx2(const std::uint32_t* texels, int widthLog2, const AxisFold& u, const AxisFold& v,
                       std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt, int count,
                       std::uint32_t* out);

// Point sampling along one row of a texture.
int PointRowAvx2(const std::uint32_t* row, std::int64_t s, std::int64_t ds, int count, std::uint32_t* out);

// Point sampling along any direction through a texture of 2^widthLog2 texels a row.
int PointAvx2(const std::uint32_t* texels, int widthLog2, std::int64_t s, std::int64_t t, std::int64_t ds,
              std::int64_t dt, int count, std::uint32_t* out);

}  // namespace gfx
