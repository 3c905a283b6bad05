#include "app/NowLoading.h"

#include "base/Language.h"
#include "gfx/RenderPresets.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"

namespace {

constexpr char kCaption[] = "nowloading.png";

}  // namespace

bool NowLoading::Init(gfx::Device* device) {
    CFilePackLoad graphics;
    graphics.Open(pack::kGraphicsPack, device);
    ballTexture_ = graphics.GetTexture("tama.png");
    captionTexture_ = graphics.GetPicture(kCaption);
    captionIn_ = language::Generation();

    ball_.Create(device, ballTexture_.get(), 511.0f, 454.0f, 16.0f, 16.0f);
    ball_.SetRotation(0.0f, 0.1f);
    caption_.Create(device, captionTexture_.get(), 562.0f, 434.0f, 128.0f, 32.0f);
    caption_.SetAnimation(255, 6, 0.0f, 1.0f, 0.0f, 0.0f, 0.5f, 0.0f);
    captionBase_.Create(device, captionTexture_.get(), 560.0f, 456.0f, 128.0f, 32.0f);
    captionBase_.SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, 0.5f, 1.0f, 0.0f);
    return false;
}

void NowLoading::Frame(gfx::Device* device, SceneContext&) {
    if (captionIn_ != language::Generation()) {
        Recaption(device);
    }
    SetBaseStates(device);
    SetAlphaBlendStates(device);
    ball_.Draw(1);
    caption_.Draw(1);
    captionBase_.Draw(1);
}

// The option screen switched the language after the caption was read.
void NowLoading::Recaption(gfx::Device* device) {
    CFilePackLoad graphics;
    graphics.TryOpen(pack::kGraphicsPack, device);
    std::unique_ptr<gfx::Texture> caption = graphics.GetPicture(kCaption);
    captionIn_ = language::Generation();
    if (caption == nullptr) {
        return;  // the caption read at the start stays
    }
    captionTexture_ = std::move(caption);
    caption_.texture = captionTexture_.get();
    captionBase_.texture = captionTexture_.get();
}
