#include "gfx/NullDevice.h"

namespace gfx {

HRESULT NullDevice::Clear(std::uint32_t, float, std::uint32_t) { return S_OK; }
HRESULT NullDevice::BeginScene() { return S_OK; }
HRESULT NullDevice::EndScene() { return S_OK; }
HRESULT NullDevice::Present() { return S_OK; }
HRESULT NullDevice::Reset() { return S_OK; }

void NullDevice::SetFVF(std::uint32_t) {}
void NullDevice::SetTexture(int, Texture*) {}
void NullDevice::SetRenderState(RenderState, std::uint32_t) {}
void NullDevice::SetSamplerState(int, SamplerState, std::uint32_t) {}
void NullDevice::SetTextureStageState(int, TextureStageState, std::uint32_t) {}
void NullDevice::DrawPrimitiveUP(PrimitiveType, std::uint32_t, const void*, std::uint32_t) {}

std::unique_ptr<Texture> NullDevice::CreateTexture(int width, int height) { return MakeTexture(width, height); }

}  // namespace gfx
