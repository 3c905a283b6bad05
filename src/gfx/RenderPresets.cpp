#include "gfx/RenderPresets.h"

#include "gfx/Device.h"

using namespace gfx;

namespace {

void SetStageOps(Device* device, int stage, std::uint32_t colourOp, std::uint32_t colourArg1,
                 std::uint32_t colourArg2, std::uint32_t alphaOp, std::uint32_t alphaArg1, std::uint32_t alphaArg2) {
    device->SetTextureStageState(stage, TextureStageState::ColorOp, colourOp);
    device->SetTextureStageState(stage, TextureStageState::ColorArg1, colourArg1);
    device->SetTextureStageState(stage, TextureStageState::ColorArg2, colourArg2);
    device->SetTextureStageState(stage, TextureStageState::AlphaOp, alphaOp);
    device->SetTextureStageState(stage, TextureStageState::AlphaArg1, alphaArg1);
    device->SetTextureStageState(stage, TextureStageState::AlphaArg2, alphaArg2);
}

void SetStageFilter(Device* device, std::uint32_t filter) {
    device->SetSamplerState(0, SamplerState::MinFilter, filter);
    device->SetSamplerState(0, SamplerState::MagFilter, filter);
}

void SetBlend(Device* device, std::uint32_t source, std::uint32_t destination) {
    device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    device->SetRenderState(RenderState::SrcBlend, source);
    device->SetRenderState(RenderState::DestBlend, destination);
}

}  // namespace

void SetBaseStates(Device* device) {
    device->SetRenderState(RenderState::CullMode, CULL_NONE);
    device->SetRenderState(RenderState::ZEnable, 1);
    device->SetRenderState(RenderState::Lighting, 0);
    for (int stage = 0; stage < 2; ++stage) {
        device->SetSamplerState(stage, SamplerState::MinFilter, TEXF_LINEAR);
        device->SetSamplerState(stage, SamplerState::MagFilter, TEXF_LINEAR);
        device->SetSamplerState(stage, SamplerState::AddressU, TADDRESS_MIRROR);
        device->SetSamplerState(stage, SamplerState::AddressV, TADDRESS_MIRROR);
    }
}

void SetAlphaBlendStates(Device* device) {
    SetBlend(device, BLEND_SRCALPHA, BLEND_INVSRCALPHA);
    SetStageOps(device, 0, TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE, TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE);
    SetStageOps(device, 1, TOP_MODULATE, TA_TEXTURE, TA_CURRENT, TOP_MODULATE, TA_TEXTURE, TA_CURRENT);
}

void SetAdditiveTintStates(Device* device) {
    SetBlend(device, BLEND_SRCALPHA, BLEND_ONE);
    // Stage 0's "current" is the diffuse colour, so current + diffuse is twice the vertex colour.
    SetStageOps(device, 0, TOP_ADD, TA_CURRENT, TA_DIFFUSE, TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE);
}

void SetAdditiveStates(Device* device) {
    SetBlend(device, BLEND_SRCALPHA, BLEND_ONE);
    SetStageOps(device, 0, TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE, TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE);
}

StageFilterScope::StageFilterScope(Device* device, std::uint32_t filter) : device_(device) {
    SetStageFilter(device_, filter);
}

StageFilterScope::~StageFilterScope() { SetStageFilter(device_, TEXF_LINEAR); }
