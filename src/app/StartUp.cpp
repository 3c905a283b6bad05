#include "app/StartUp.h"

#include "base/Language.h"
#include "base/SceneContext.h"
#include "gfx/RenderPresets.h"
#include "platform/Fatal.h"
#include "resource/FileClass.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"

namespace {

constexpr const char kInvalidFiles[] = N_MESSAGE("有効なファイルではありません");

}  // namespace

StartUp::StartUp(FileClass& registry, CSaveFile::Access saves) : registry_(registry), save_(nullptr, saves) {}

StartUp::StartUp(CSaveFile::Access saves) : StartUp(g_FileClass, saves) {}

bool StartUp::Init(gfx::Device* device) {
    CFilePackLoad graphics;
    graphics.Open(pack::kGraphicsPack, device);
    backgroundTexture_ = graphics.GetPicture("startup_back.png");
    background_.Create(device, backgroundTexture_.get(), 320.0f, 240.0f, 640.0f, 480.0f);
    // The picture fades in from black first; frame 100 turns the fade around.
    fade_.Init(device, 0, 0, 0, FadeDirection::Uncover, FadePattern::LeftLeads, 4, 0);
    return true;
}

void StartUp::Frame(gfx::Device* device, SceneContext& context) {
    SetBaseStates(device);
    SetAlphaBlendStates(device);
    ++frameCount_;
    background_.Draw(1);
    if (frameCount_ == kLoadFrame) {
        LoadAssets(device, context);
    }
    if (context.transitionMode == TransitionMode::Running && fade_.Update() && done_) {
        context.sceneCode = SceneCode::Title;
        ApplyVolumes();
    }
}

void StartUp::LoadAssets(gfx::Device* device, SceneContext& context) {
    registry_.LoadTexturePack(pack::kGraphicsPack, device);
    registry_.LoadSoundPack(pack::kEffectPack);
    if (!registry_.ValidateAssets()) {
        platform::FatalError("", kInvalidFiles);
        return;
    }
    context.sceneCode = SceneCode::Title;
    done_ = true;
    fade_.Reset(FadeDirection::Cover);
}

void StartUp::ApplyVolumes() {
    registry_.SetVolumes(save_.VolumePercent(CSaveFile::kMusicVolume),
                         save_.VolumePercent(CSaveFile::kEffectVolume));
}
