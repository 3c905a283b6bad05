#pragma once

namespace gfx {
class Device;
}

// The fixed sets of states drawing code picks from. A preset sets only its own states; the rest
// keep their last value.
void SetBaseStates(gfx::Device* device);
void SetAlphaBlendStates(gfx::Device* device);
void SetAdditiveTintStates(gfx::Device* device);
void SetAdditiveStates(gfx::Device* device);
