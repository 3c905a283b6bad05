#include "app/NowLoading.h"

#include "gfx/RenderPresets.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"

bool NowLoading::Init(gfx::Device* device) {
    CFilePackLoad graphics;
    graphics.Open(pack::kGraphicsPack, device);
    ballTexture_ = graphics.GetTexture("tama.png");
    captionTexture_ = graphics.GetTexture("nowloading.png");

    ball_.Create(device, ballTexture_.get(), 511.0f, 454.0f, 16.0f, 16.0f);
    ball_.SetRotation(0.0f, 0.1f);
    caption_.Create(device, captionTexture_.get(), 562.0f, 434.0f, 128.0f, 32.0f);
    caption_.SetAnimation(255, 6, 0.0f, 1.0f, 0.0f, 0.0f, 0.5f, 0.0f);
    captionBase_.Create(device, captionTexture_.get(), 560.0f, 456.0f, 128.0f, 32.0f);
    captionBase_.SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, 0.5f, 1.0f, 0.0f);
    return false;
}

void NowLoading::Frame(gfx::Device* device, SceneContext&) {
    SetBaseStates(device);
    SetAlphaBlendStates(device);
    ball_.Draw(1);
    caption_.Draw(1);
    captionBase_.Draw(1);
}
