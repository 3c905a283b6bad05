#pragma once
#include <array>
#include <cstdint>

#include "gfx/Device.h"
#include "gfx/InstructionSet.h"
#include "gfx/SampleAvx2.h"
#include "gfx/Texture.h"

namespace gfx {

// Texel coordinates are 16.16 fixed point in texel units: texel i covers [i, i + 1), so its
// centre is at i + 0.5 and a pixel whose coordinate is exactly i takes texel i when
// point-sampled.
constexpr int kTexelFractionBits = 16;
constexpr std::int64_t kTexelOne = std::int64_t{1} << kTexelFractionBits;

// How one stage reads its texture during one draw, with what every run of the draw needs from
// the texture worked out once.
struct SamplerSetup {
    SamplerSetup() = default;
    SamplerSetup(const Texture* texture, bool linear, std::uint32_t addressU, std::uint32_t addressV);

    const Texture* texture = nullptr;
    bool linear = false;
    std::uint32_t addressU = 0;
    std::uint32_t addressV = 0;
    const std::uint32_t* texels = nullptr;
    int widthLog2 = 0;
    AxisFold u;  // how indices fold across, by addressU
    AxisFold v;  // and down, by addressV
};

// How a run of count pixels whose coordinate across starts at s and steps by ds reads across the
// texture, for runs along one row of it (no step down): everything but the row. The rows of a
// rectangle share it, so it is worked out once for them all.
class RowPlan {
public:
    RowPlan(const SamplerSetup& sampler, std::int64_t s, std::int64_t ds, int count);

private:
    friend class TextureSampler;

    enum class Kind {
        Empty,           // no pixels
        PointDirect,     // one texel per pixel inside the texture: the texture row itself
        PointInside,     // inside the texture, skipping or repeating texels
        PointFolded,     // crossing its edges
        LinearColumns,   // each row's texel columns blended down first, then across
        LinearSkipping,  // two texels a pixel or more: each pixel's own four texels
    };

    const SamplerSetup* sampler_;
    Kind kind_ = Kind::Empty;
    std::int64_t s_;  // for linear filtering moved back half a texel, to measure from centres
    std::int64_t ds_;
    int count_;
    std::int64_t first_ = 0;  // the texel column of the first pixel
    // LinearColumns: the columns [low, end) the run blends between, and those of them inside the
    // texture, [insideFirst, insideEnd).
    std::int64_t low_ = 0;
    std::int64_t end_ = 0;
    std::int64_t insideFirst_ = 0;
    std::int64_t insideEnd_ = 0;
    // LinearSkipping: the pixels [begin, stretchEnd) whose texels need no folding.
    int begin_ = 0;
    int stretchEnd_ = 0;
};

// Reads the texels of runs of pixels. It keeps a scratch row of its own, so a draw needs no
// memory beyond the sampler.
class TextureSampler {
public:
    explicit TextureSampler(InstructionSet set = BestInstructionSet());

    // The texels of a run of count pixels (at most a frame row) whose coordinates start at
    // (s, t) and step by (ds, dt) per pixel: written to out, or, when the run reads one texel
    // per pixel straight along a row of the texture, that row itself. Any coordinate is safe:
    // addressing folds it into the texture.
    const std::uint32_t* SampleSpan(const SamplerSetup& sampler, std::int64_t s, std::int64_t t, std::int64_t ds,
                                    std::int64_t dt, int count, std::uint32_t* out);
    // The same for the run of a plan along the texture row at t; the sampler it was planned with
    // must not have changed.
    const std::uint32_t* SampleRow(const RowPlan& plan, std::int64_t t, std::uint32_t* out);

    // Texel columns a run may filter through its scratch row; a run that spans more is
    // filtered texel by texel.
    static constexpr int kScratchColumns = 2 * kFrameWidth + 2;

private:
    InstructionSet set_;
    std::array<std::uint32_t, kScratchColumns + kTexelReadAhead> columns_{};
};

}  // namespace gfx
