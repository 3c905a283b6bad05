#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/Scene.h"
#include "field/Battlefield.h"
#include "field/StageSetup.h"
#include "object/GradationFade.h"
#include "object/LevelGauge.h"
#include "object/LimitNumber.h"
#include "object/MouseChangeObject2D.h"
#include "object/Object2D.h"
#include "resource/SaveFile.h"
#include "scene/game/BattleHud.h"
#include "scene/game/GameInform.h"
#include "scene/game/PauseMenu.h"
#include "scene/game/PowerItem.h"
#include "scene/game/SaveNotice.h"
#include "scene/guide/BattleGuide.h"
#include "tower/BaseCharacter.h"
#include "tower/StageCounters.h"

class DirectSound;

// The battle: one stage of one difficulty played by one character. It owns the field and its
// enemies, the wave gauge, the character controller with its towers, the point items and the
// battle's HUD, runs them frame by frame in a fixed order, handles the pause menu, decides clear
// and game over, keeps the best score and finally asks the switcher for the title or a retry.
class GameMain : public Scene {
public:
    // Runs on the loader thread: loads the save data and the preparation music.
    explicit GameMain(const field::StageRequest& request);
    // Stores the settings and the best score of this request.
    ~GameMain() override;

    bool Init(gfx::Device* device) override;
    void Frame(gfx::Device* device, SceneContext& context) override;
    void Notify(std::intptr_t argument) override;

    // What the battle looks like from outside: for tests, tools and the autoplayer. Read only.
    const field::StageRequest& Request() const { return request_; }
    const StageCounters& Counters() const { return counters_; }
    bool Preparing() const { return preparation_; }
    bool Cleared() const { return cleared_; }
    bool Failed() const { return failed_; }
    bool MenuOpen() const { return menuOpen_; }
    int BestScore() const { return bestScore_; }
    int ItemScore() const { return itemScore_; }
    int BonusScore() const { return bonusScore_; }
    // lives x 50 + bonus + item score: what a clear records.
    int StageScore() const { return counters_.lives * 50 + bonusScore_ + itemScore_; }
    const Battlefield* Field() const { return field_.get(); }
    const LevelGauge& Gauge() const { return gauge_; }
    const cBaseCharacter* Controller() const { return controller_.get(); }
    std::size_t ItemCount() const { return items_.size(); }
    bool StuckWarningShown() const { return stuckWarning_.alive != 0; }
    const guide::BattleGuide& Guide() const { return guide_; }
    // The clear's result could not be written, and the battle says so on screen.
    bool SaveFailureShown() const { return saveNotice_.Shown(); }

private:
    void ResetStage();
    void LoadMusic(const char* track);
    void CreateSprites(gfx::Device* device);
    void CreateButtons(gfx::Device* device);

    // The frame's steps, in their order.
    void BeginFrame(gfx::Device* device, SceneContext& context);
    void DrawBackground();
    void HandleSelection(SceneContext& context);
    void HandlePlacement(const SceneContext& context);
    void RunTowersAndEnemies(int run);
    void DrawFieldLayers();
    void DrawStuckWarning(int run);
    void RunWaves(int run);
    void DrawStatusPanel(int run);
    void CollectItems(int run);
    void DrawResult(SceneContext& context);
    void StartAndNextWaveButtons(SceneContext& context);
    void PauseMenuStep(SceneContext& context);
    void DrawRedFlash();
    void GoalTest(SceneContext& context);
    void DropItemsAndSplit(int run);
    void Resteer(int run);
    void Transition(SceneContext& context);

    void OpenMenu(SceneContext& context);
    void CloseMenu(SceneContext& context);
    void StartStage();
    void ClearStage();
    void LoseStage(SceneContext& context);
    void DropItems(int reward, float x, float y);
    void RaiseStuckWarning();
    bool StartButtonLive(int run) const;
    bool MouseInField(const SceneContext& context) const;

    field::StageRequest request_;
    CSaveFile save_{nullptr, request_.saves};
    gfx::Device* device_ = nullptr;

    // Stage state.
    bool firstFrame_ = true;
    bool preparation_ = true;
    bool firstWaveStarted_ = false;
    StageCounters counters_;
    int bestScore_ = 0;
    int itemScore_ = 0;
    int bonusScore_ = 0;
    bool cleared_ = false;
    bool failed_ = false;
    bool menuOpen_ = false;
    bool goToTitle_ = false;
    bool retry_ = false;
    std::string musicName_ = "bgm_prepare.wav";
    bool gridVisible_ = false;

    std::unique_ptr<Battlefield> field_;
    LevelGauge gauge_;
    std::unique_ptr<cBaseCharacter> controller_;
    std::vector<std::unique_ptr<PowerItem>> items_;
    GradationFade fade_;
    GameInform inform_;
    PauseMenu pauseMenu_;
    SaveNotice saveNotice_;
    BattleHud hud_;
    LimitNumber stuckFade_;
    guide::BattleGuide guide_;

    Object2D background_;
    Object2D fieldOverlay_;
    Object2D grid_;
    Object2D screenFrame_;
    Object2D stuckWarning_;
    Object2D redFlash_;
    MouseChangeObject2D menuButton_;
    MouseChangeObject2D startButton_;
    MouseChangeObject2D nextWaveButton_;

    DirectSound* menuOpenSound_ = nullptr;
    DirectSound* itemGetSound_ = nullptr;
    DirectSound* stuckSound_ = nullptr;
    DirectSound* appearSound_ = nullptr;
    DirectSound* goalSound_ = nullptr;
    DirectSound* lockOnSound_ = nullptr;
};
