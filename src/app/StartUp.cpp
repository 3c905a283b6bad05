#include "app/StartUp.h"

#include <algorithm>

#include "app/LogPutout.h"
#include "app/SceneContext.h"
#include "app/SceneSwitcher.h"
#include "gfx/RenderPresets.h"
#include "platform/MessageBox.h"
#include "resource/FileClass.h"
#include "resource/FilePackLoad.h"

namespace {

constexpr const char kGraphicsPack[] = "wbk.dat";
constexpr const char kEffectPack[] = "wbkse.dat";
constexpr const char kInvalidFiles[] = "有効なファイルではありません";

// Volumes are stored as 32-bit words; a damaged file may hold anything, negative values included.

}  // namespace

StartUp::StartUp(FileClass& registry) : registry_(registry) {}

StartUp::StartUp() : StartUp(g_FileClass) {}

bool StartUp::Init(gfx::Device* device) {
    CFilePackLoad pack;
    pack.Open(kGraphicsPack, device);
    backgroundTexture_ = pack.GetTexture("startup_back.png");
    background_.Create(device, backgroundTexture_.get(), 320.0f, 240.0f, 640.0f, 480.0f);
    // The picture fades in from black first; frame 100 turns the fade around.
    fade_.Init(device, 0, 0, 0, 0, 3, 4, 0);
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
    if (context.transitionMode == 1 && fade_.Update() && done_) {
        context.sceneCode = kSceneTitle;
        ApplyVolumes();
    }
}

void StartUp::LoadAssets(gfx::Device* device, SceneContext& context) {
    registry_.LoadTexturePack(kGraphicsPack, device);
    registry_.LoadSoundPack(kEffectPack);
    if (!registry_.ValidateAssets()) {
        WriteLog(kInvalidFiles);
        platform::ShowMessage("", kInvalidFiles);
        platform::ExitProcess(0);
    }
    context.sceneCode = kSceneTitle;
    done_ = true;
    fade_.Reset(1);
}

void StartUp::ApplyVolumes() {
    registry_.SetVolumes(save_.VolumePercent(CSaveFile::kMusicVolume),
                         save_.VolumePercent(CSaveFile::kEffectVolume));
}
