#pragma once
#include <cstdint>
#include <memory>

#include "base/Result.h"
#include "gfx/RenderStates.h"
#include "gfx/Texture.h"

namespace gfx {

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

// Where a finished frame goes: the window, or the headless keeper of frames.
class FrameSink {
public:
    virtual ~FrameSink() = default;
    // argb holds kFrameWidth x kFrameHeight pixels, row after row. Returns false when the
    // output surfaces were lost (a full-screen switch away) and the device must be reset.
    virtual bool ShowFrame(const std::uint32_t* argb) = 0;
};

// The drawing interface every piece of game code uses. It keeps the Direct3D 9 calls and states
// the game was designed around; what draws behind it is the device's business.
class Device {
public:
    virtual ~Device() = default;

    // Clears target and depth buffer.
    virtual HRESULT Clear(std::uint32_t colour, float z, std::uint32_t stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    // ERR_DEVICELOST when the surfaces were lost; Reset brings them back.
    virtual HRESULT Present() = 0;
    virtual HRESULT Reset() = 0;

    virtual void SetFVF(std::uint32_t format) = 0;
    virtual void SetTexture(int stage, Texture* texture) = 0;
    virtual void SetRenderState(RenderState state, std::uint32_t value) = 0;
    virtual void SetSamplerState(int sampler, SamplerState state, std::uint32_t value) = 0;
    virtual void SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) = 0;

    // Draws a strip of QuadVertex triangles from user memory.
    virtual void DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                                 std::uint32_t stride) = 0;

    // An empty, lockable ARGB texture (sides rounded up to powers of two). Safe from any thread.
    virtual std::unique_ptr<Texture> CreateTexture(int width, int height) = 0;
};

}  // namespace gfx
