#include "gfx/TextureSampler.h"

#include <algorithm>
#include <cstring>

#include "gfx/PixelMath.h"
#include "gfx/RenderStates.h"

namespace gfx {

namespace {

// Folds a texel index into 0..size-1 by one addressing mode. Wrap and mirror are periodic over
// powers of two, so they work on the index bits alone, whatever its size or sign.
class Addresser {
public:
    Addresser(std::uint32_t mode, int size, int sizeLog2)
        : clamp_(mode == TADDRESS_CLAMP),
          mask_(mode == TADDRESS_MIRROR ? 2 * size - 1 : size - 1),
          size_(size),
          sizeLog2_(sizeLog2) {}

    int operator()(std::int64_t index) const {
        if (clamp_) {
            return static_cast<int>(std::clamp<std::int64_t>(index, 0, size_ - 1));
        }
        int folded = static_cast<int>(index & mask_);
        // Mirror: the second half of each period runs backwards. Wrap never sets this bit.
        folded ^= -((folded >> sizeLog2_) & 1) & mask_;
        return folded;
    }

private:
    bool clamp_;
    int mask_;
    int size_;
    int sizeLog2_;
};

struct TexelGrid {
    const std::uint32_t* texels;
    int widthLog2;
    Addresser u;
    Addresser v;

    explicit TexelGrid(const SamplerSetup& sampler)
        : texels(sampler.texture->Pixels()),
          widthLog2(sampler.texture->WidthLog2()),
          u(sampler.addressU, sampler.texture->Width(), sampler.texture->WidthLog2()),
          v(sampler.addressV, sampler.texture->Height(), sampler.texture->HeightLog2()) {}

    const std::uint32_t* Row(std::int64_t t) const {
        return texels + (static_cast<std::ptrdiff_t>(v(t)) << widthLog2);
    }
};

std::int64_t TexelIndex(std::int64_t coordinate) { return coordinate >> kTexelFractionBits; }

// The weight of the second texel of a linear pair, 0..255.
std::uint32_t Fraction(std::int64_t coordinate) {
    return static_cast<std::uint32_t>(coordinate >> (kTexelFractionBits - 8)) & 0xFF;
}

// Point sampling along a row of the texture: the common case of sprites that are not rotated.
void PointRow(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds, int count, std::uint32_t* out) {
    const std::uint32_t* row = grid.Row(TexelIndex(t));
    const std::int64_t first = TexelIndex(s);
    if (ds == kTexelOne && grid.u(first + count - 1) - grid.u(first) == count - 1) {
        // One texel per pixel without leaving the texture: a straight copy.
        std::memcpy(out, row + grid.u(first), static_cast<std::size_t>(count) * sizeof *out);
        return;
    }
    for (int i = 0; i < count; ++i, s += ds) {
        out[i] = row[grid.u(TexelIndex(s))];
    }
}

void PointAny(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt, int count,
              std::uint32_t* out) {
    for (int i = 0; i < count; ++i, s += ds, t += dt) {
        out[i] = grid.Row(TexelIndex(t))[grid.u(TexelIndex(s))];
    }
}

// Linear sampling blends the four texels around the sample; coordinates are shifted by half a
// texel so that weights are measured from texel centres.
void LinearRow(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds, int count, std::uint32_t* out) {
    t -= kTexelOne / 2;
    s -= kTexelOne / 2;
    const std::uint32_t* top = grid.Row(TexelIndex(t));
    const std::uint32_t* bottom = grid.Row(TexelIndex(t) + 1);
    const std::uint32_t fy = Fraction(t);
    for (int i = 0; i < count; ++i, s += ds) {
        const std::int64_t index = TexelIndex(s);
        const int left = grid.u(index);
        const int right = grid.u(index + 1);
        const std::uint32_t fx = Fraction(s);
        out[i] = pixel::Lerp(pixel::Lerp(top[left], top[right], fx), pixel::Lerp(bottom[left], bottom[right], fx), fy);
    }
}

void LinearAny(const TexelGrid& grid, std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt, int count,
               std::uint32_t* out) {
    s -= kTexelOne / 2;
    t -= kTexelOne / 2;
    for (int i = 0; i < count; ++i, s += ds, t += dt) {
        const std::uint32_t* top = grid.Row(TexelIndex(t));
        const std::uint32_t* bottom = grid.Row(TexelIndex(t) + 1);
        const std::int64_t index = TexelIndex(s);
        const int left = grid.u(index);
        const int right = grid.u(index + 1);
        const std::uint32_t fx = Fraction(s);
        out[i] = pixel::Lerp(pixel::Lerp(top[left], top[right], fx), pixel::Lerp(bottom[left], bottom[right], fx),
                             Fraction(t));
    }
}

}  // namespace

void SampleSpan(const SamplerSetup& sampler, std::int64_t s, std::int64_t t, std::int64_t ds, std::int64_t dt,
                int count, std::uint32_t* out) {
    if (count <= 0) {
        return;
    }
    const TexelGrid grid(sampler);
    if (sampler.linear) {
        dt == 0 ? LinearRow(grid, s, t, ds, count, out) : LinearAny(grid, s, t, ds, dt, count, out);
    } else {
        dt == 0 ? PointRow(grid, s, t, ds, count, out) : PointAny(grid, s, t, ds, dt, count, out);
    }
}

}  // namespace gfx
