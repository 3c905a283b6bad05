#pragma once
#include <memory>

#include "gfx/Device.h"
#include "gfx/NullDevice.h"

namespace gfx {

// Stands between the game and its device. Open, it passes every call on. Closed, the clears,
// scenes, draws and presents go to a device that draws nothing, while states and textures still
// reach the real device: a frame that will not be shown runs every line of game code and leaves
// the device in the state the shown frame after it expects. Fast-forward runs the frames it does
// not show with the gate closed.
class DrawGate final : public Device {
public:
    explicit DrawGate(std::unique_ptr<Device> device) : device_(std::move(device)) {}

    void SetOpen(bool open) { open_ = open; }
    bool IsOpen() const { return open_; }

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

private:
    Device& Drawing() { return open_ ? *device_ : nothing_; }

    std::unique_ptr<Device> device_;
    NullDevice nothing_;
    bool open_ = true;
};

}  // namespace gfx
