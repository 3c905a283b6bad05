#pragma once
#include <cstdint>

namespace gfx {
class Device;
}

// The fixed sets of states drawing code picks from. A preset sets only its own states; the rest
// keep their last value.
void SetBaseStates(gfx::Device* device);
void SetAlphaBlendStates(gfx::Device* device);
void SetAdditiveTintStates(gfx::Device* device);
void SetAdditiveStates(gfx::Device* device);

// Stage 0 samples with the filter for as long as this lives, then linearly again: pixel art that
// must stay crisp draws inside one, and everything else expects linear filtering.
class StageFilterScope {
public:
    StageFilterScope(gfx::Device* device, std::uint32_t filter);
    ~StageFilterScope();

    StageFilterScope(const StageFilterScope&) = delete;
    StageFilterScope& operator=(const StageFilterScope&) = delete;

private:
    gfx::Device* device_;
};
