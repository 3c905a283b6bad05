#include "scene/SceneTitle.h"

#include <algorithm>
#include <cstring>

#include "base/Language.h"
#include "base/SceneContext.h"
#include "base/SceneContext.h"
#include "gfx/RenderPresets.h"
#include "platform/QuitMessage.h"
#include "resource/FileClass.h"

namespace {

constexpr int kFadeSpeed = 6;
constexpr int kMusicFadeFrames = 120;

const char* BackgroundOf(int screen) {
    switch (screen) {
    case title::kGameSelect: return "gameselectback.png";
    case title::kMusicRoom: return "musicroomback.png";
    case title::kOption: return "optionback.png";
    default: return "titleback.png";
    }
}


}  // namespace

SceneTitle::SceneTitle() = default;

bool SceneTitle::Init(gfx::Device* device) {
    if (device == nullptr) {
        return false;
    }
    device_ = device;
    MusicRoom::PlayTrack("bgm_title.wav");
    g_FileClass.SetVolumes(save_.VolumePercent(CSaveFile::kMusicVolume),
                           save_.VolumePercent(CSaveFile::kEffectVolume));

    sounds_.Load(g_FileClass);
    fade_.Init(device, 0, 0, 0, FadeDirection::Uncover, FadePattern::LeftLeads, kFadeSpeed, 0);
    background_.Create(device, g_FileClass.FindTexture(BackgroundOf(title::kMenu)), 320.0f, 240.0f, 640.0f, 480.0f);
    menu_.Init(device, sounds_);
    gameSelect_.Init(device, sounds_, save_);
    musicRoom_.Init(device, sounds_);
    options_.Init(device, sounds_, save_);
    labelledIn_ = language::Generation();
    picturedIn_ = labelledIn_;
    ready_ = true;
    return true;
}

void SceneTitle::Frame(gfx::Device* device, SceneContext& context) {
    if (device == nullptr) {
        return;
    }
    SetBaseStates(device);
    SetAlphaBlendStates(device);
    g_FileClass.Music().Update();
    if (picturedIn_ != language::Generation()) {
        ReloadImages();
    }

    background_.Draw(1);
    // Only the screen on show takes input, and not while it is fading out.
    const bool active = fade_.direction == FadeDirection::Uncover;
    const int request = RunScreen(context, active);
    if (request != title::kStay) {
        Request(request);
    }
    if (fade_.Update() && fade_.direction == FadeDirection::Cover) {
        FinishChange(context);
    }
}

int SceneTitle::RunScreen(SceneContext& context, bool active) {
    const SceneContext& input = context;
    switch (screen_) {
    case title::kMenu: return menu_.Frame(input, active);
    case title::kGameSelect: return gameSelect_.Frame(input, active);
    case title::kMusicRoom: return musicRoom_.Frame(input, active);
    case title::kOption: return options_.Frame(context, active);
    default: return title::kStay;
    }
}

void SceneTitle::Request(int screen) {
    battleRequested_ = screen == title::kStartBattle;
    nextScreen_ = battleRequested_ ? screen_ : screen;
    if (battleRequested_) {
        g_FileClass.Music().StartFade(0, kMusicFadeFrames, 0);
    }
    fade_.Reset(FadeDirection::Cover);
}

void SceneTitle::FinishChange(SceneContext& context) {
    if (battleRequested_) {
        // The fade keeps the screen covered; the switcher takes it from here.
        RequestBattle(context);
        return;
    }
    if (nextScreen_ == title::kQuit) {
        platform::PostQuit(0);
        return;
    }
    LeaveScreen(screen_);
    if (labelledIn_ != language::Generation()) {
        Relabel();
    }
    screen_ = nextScreen_;
    EnterScreen(screen_);
    background_.texture = g_FileClass.FindTexture(BackgroundOf(screen_));
    fade_.Reset(FadeDirection::Uncover);
}

// The option screen switched the language: every screen's words are drawn again in it.
void SceneTitle::Relabel() {
    labelledIn_ = language::Generation();
    menu_.Init(device_, sounds_);
    gameSelect_.Relabel();
    musicRoom_.Relabel();
}

// The option screen switched the language: the painted words show it from the next frame, while
// the screen that switched it is still on show.
void SceneTitle::ReloadImages() {
    picturedIn_ = language::Generation();
    background_.texture = g_FileClass.FindTexture(BackgroundOf(screen_));
    menu_.ReloadImages();
    gameSelect_.ReloadImages();
    musicRoom_.ReloadImages();
    options_.ReloadImages();
}

void SceneTitle::LeaveScreen(int screen) {
    switch (screen) {
    case title::kGameSelect: gameSelect_.Leave(); break;
    case title::kMusicRoom: musicRoom_.Leave(); break;
    case title::kOption: options_.Leave(); break;
    default: break;
    }
}

void SceneTitle::EnterScreen(int screen) {
    switch (screen) {
    case title::kGameSelect: gameSelect_.Enter(); break;
    case title::kMusicRoom: musicRoom_.Enter(); break;
    case title::kOption: options_.Enter(); break;
    default: break;
    }
}

void SceneTitle::RequestBattle(SceneContext& context) const {
    context.transitionMode = TransitionMode::Leaving;
    context.sceneCode = SceneCode::Game;
    context.character = static_cast<std::uint32_t>(gameSelect_.CharacterId());
    context.difficulty = static_cast<std::uint32_t>(gameSelect_.Difficulty());
    context.stage = static_cast<std::uint32_t>(gameSelect_.Stage());
    std::memcpy(context.options, gameSelect_.Options(), sizeof context.options);
}
