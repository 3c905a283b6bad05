#include "gfx/DrawGate.h"

namespace gfx {

HRESULT DrawGate::Clear(std::uint32_t colour, float z, std::uint32_t stencil) {
    return Drawing().Clear(colour, z, stencil);
}
HRESULT DrawGate::BeginScene() { return Drawing().BeginScene(); }
HRESULT DrawGate::EndScene() { return Drawing().EndScene(); }
HRESULT DrawGate::Present() { return Drawing().Present(); }
HRESULT DrawGate::Reset() { return device_->Reset(); }
void DrawGate::SetFVF(std::uint32_t format) { device_->SetFVF(format); }
void DrawGate::SetTexture(int stage, Texture* texture) { device_->SetTexture(stage, texture); }
void DrawGate::SetRenderState(RenderState state, std::uint32_t value) { device_->SetRenderState(state, value); }
void DrawGate::SetSamplerState(int sampler, SamplerState state, std::uint32_t value) {
    device_->SetSamplerState(sampler, state, value);
}
void DrawGate::SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) {
    device_->SetTextureStageState(stage, state, value);
}
void DrawGate::DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                               std::uint32_t stride) {
    Drawing().DrawPrimitiveUP(type, primitiveCount, vertices, stride);
}
std::unique_ptr<Texture> DrawGate::CreateTexture(int width, int height) {
    return device_->CreateTexture(width, height);
}

}  // namespace gfx
