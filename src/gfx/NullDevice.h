#pragma once
#include <cstdint>
#include <memory>

#include "gfx/Device.h"

namespace gfx {

// A device that draws nothing: it takes every state and every draw and shows no picture, while
// its textures are real ones, so everything built on it (text included) is built as on the
// software device. A game run on it advances exactly as when drawn, only faster: fast-forward,
// the autoplayer and the simulation benchmarks run battles on one, and test devices start from it.
class NullDevice : public Device {
public:
    HRESULT Clear(std::uint32_t colour, float z, std::uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    HRESULT Reset() override;

    void SetFVF(std::uint32_t format) override;
    void SetTexture(int stage, Texture* texture) override;
    void SetRenderState(RenderState state, std::uint32_t value) override;
    void SetSamplerState(int sampler, SamplerState state, std::uint32_t value) override;
    void SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) override;
    void DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                         std::uint32_t stride) override;

    std::unique_ptr<Texture> CreateTexture(int width, int height) override;
};

}  // namespace gfx
