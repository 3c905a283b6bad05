#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "gfx/Device.h"

namespace gfx {

// The reference device: rasterises quads into a 640 x 480 ARGB frame with Direct3D 9's rules
// and hands finished frames to a sink.
class SoftwareDevice final : public Device {
public:
    explicit SoftwareDevice(FrameSink* sink);

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

    const std::uint32_t* Frame() const { return frame_.data(); }

private:
    struct StageStates {
        std::uint32_t colourOp = TOP_MODULATE;
        std::uint32_t colourArg1 = TA_TEXTURE;
        std::uint32_t colourArg2 = TA_CURRENT;
        std::uint32_t alphaOp = TOP_SELECTARG1;
        std::uint32_t alphaArg1 = TA_TEXTURE;
        std::uint32_t alphaArg2 = TA_CURRENT;
        std::uint32_t minFilter = TEXF_POINT;
        std::uint32_t magFilter = TEXF_POINT;
        std::uint32_t addressU = TADDRESS_WRAP;
        std::uint32_t addressV = TADDRESS_WRAP;
        Texture* texture = nullptr;
    };

    FrameSink* sink_;
    bool lost_ = false;
    std::vector<std::uint32_t> frame_;
    std::array<StageStates, 2> stages_{};
    std::uint32_t format_ = 0;
    bool blendEnabled_ = false;
    std::uint32_t srcBlend_ = BLEND_ONE;
    std::uint32_t destBlend_ = BLEND_ZERO;
};

// Keeps presented frames when there is no window.
class HeadlessFrameSink final : public FrameSink {
public:
    HeadlessFrameSink();
    bool ShowFrame(const std::uint32_t* argb) override;
    const std::vector<std::uint32_t>& LastFrame() const { return frame_; }
    std::uint32_t FramesShown() const { return shown_; }

private:
    std::vector<std::uint32_t> frame_;
    std::uint32_t shown_ = 0;
};

}  // namespace gfx
