#pragma once
#include <atomic>
#include <cstdint>

#include "object/GradationFade.h"
#include "object/Object2D.h"
#include "resource/SaveFile.h"
#include "scene/Scene.h"
#include "scene/title/GameSelect.h"
#include "scene/title/MusicRoom.h"
#include "scene/title/OptionScreen.h"
#include "scene/title/TitleKit.h"
#include "scene/title/TitleMenu.h"

// The title: main menu, game select, music room and options, one screen at a time, changing
// through a black fade from the left edge.
class SceneTitle : public Scene {
public:
    SceneTitle();

    bool Init(gfx::Device* device) override;
    void Frame(gfx::Device* device, SceneContext& context) override;
    void Notify(std::intptr_t) override {}
    bool Ready() const override { return ready_.load(); }

    int Screen() const { return screen_; }
    int NextScreen() const { return nextScreen_; }
    bool Changing() const { return fade_.direction == FadeDirection::Cover; }
    const GameSelect& Select() const { return gameSelect_; }
    const TitleMenu& Menu() const { return menu_; }
    const gfx::Texture* Backdrop() const { return background_.texture; }
    const MusicRoom& Music() const { return musicRoom_; }
    const OptionScreen& Options() const { return options_; }

private:
    // The option screen writes the guides into the context.
    int RunScreen(SceneContext& context, bool active);
    void Request(int screen);
    void FinishChange(SceneContext& context);
    void LeaveScreen(int screen);
    void EnterScreen(int screen);
    void RequestBattle(SceneContext& context) const;
    void Relabel();
    void ReloadImages();

    std::atomic<bool> ready_{false};
    CSaveFile save_;
    gfx::Device* device_ = nullptr;
    title::Sounds sounds_;
    int screen_ = title::kMenu;
    int nextScreen_ = title::kMenu;
    bool battleRequested_ = false;
    GradationFade fade_;
    Object2D background_;
    TitleMenu menu_;
    GameSelect gameSelect_;
    MusicRoom musicRoom_;
    OptionScreen options_;
    std::uint32_t labelledIn_ = 0;  // the language generation the screens were drawn in
    std::uint32_t picturedIn_ = 0;  // the language generation the pictures with words were fetched in
};
