#include "scene/game/GameMain.h"

#include <algorithm>
#include <cmath>

#include "base/SceneContext.h"
#include "audio/DirectSound.h"
#include "base/LogPutout.h"
#include "field/FieldGrid.h"
#include "field/StageSetup.h"
#include "field/TankObject.h"
#include "gfx/Device.h"
#include "object/DrawCrisp.h"
#include "gfx/RenderPresets.h"
#include "resource/FileClass.h"
#include "resource/MusicTracks.h"
#include "resource/PackNames.h"
#include "tower/Characters.h"

namespace {

constexpr int kStartingLives = 20;
constexpr int kStartingPoints = 50;
constexpr int kMaxPoints = 99999;
constexpr int kClearedStepFrames = 20;
constexpr float kGoalLine = 446.0f;
constexpr float kLockOnReach = 16.0f;
constexpr int kStuckShownFor = 500;
constexpr int kStuckFadeStep = 5;
constexpr int kFlashAlpha = 80;
constexpr int kFlashStep = 10;
constexpr int kHurtFrames = 50;
constexpr int kMusicFadeFrames = 120;
constexpr int kMusicSwitchDelay = 20;
constexpr int kFadeSpeed = 6;
// Stages whose clear above easy is marked in the settings.
constexpr int kClearMarkedStages = 3;

// The battle's option bytes besides those of the stage's start (field/StageSetup.h).
constexpr int kOptionSkipPreparation = 5;
constexpr int kOptionSpellButton = 6;

// The run flag as the update value everything of the battle is drawn with.
int Run(const SceneContext& context) { return static_cast<int>(context.transitionMode); }

void Play(DirectSound* sound) {
    if (sound != nullptr) {
        sound->PlayFromStart();
    }
}

void SetBand(Object2D& sprite, float vTop, float vBottom) {
    sprite.SetAnimation(sprite.alpha, 0, 0.0f, 1.0f, 0.0f, vTop, vBottom, 0.0f);
}

// A top-right button grows while the mouse is over it.
bool HoverSized(MouseChangeObject2D& button, const SceneContext& context) {
    const bool hovered = button.HitTest(context, 0);
    button.SetSize(hovered ? 112.0f : 96.0f, hovered ? 28.0f : 24.0f);
    return hovered;
}

}  // namespace

GameMain::GameMain(const field::StageRequest& request) : request_(request) {
    ResetStage();
    LoadMusic(musicName_.c_str());
    g_FileClass.SetVolumes(save_.VolumePercent(CSaveFile::kMusicVolume),
                           save_.VolumePercent(CSaveFile::kEffectVolume));
}

GameMain::~GameMain() {
    save_.Save(request_.stage, request_.difficulty, request_.character, request_.options, bestScore_);
}

void GameMain::ResetStage() {
    firstFrame_ = true;
    preparation_ = true;
    firstWaveStarted_ = false;
    counters_ = StageCounters{kStartingPoints, kStartingLives, 0};
    bestScore_ = itemScore_ = bonusScore_ = 0;
    cleared_ = failed_ = menuOpen_ = goToTitle_ = retry_ = false;
    musicName_ = "bgm_prepare.wav";
    gridVisible_ = save_.settings[CSaveFile::kDisplayOption] != 0;
}

void GameMain::LoadMusic(const char* track) { music::LoadTrack(g_FileClass.Music(), track); }

void GameMain::Notify(std::intptr_t argument) {
    if (controller_) {
        controller_->Notify(argument);
    }
}

bool GameMain::Init(gfx::Device* device) {
    if (device == nullptr) {
        return false;
    }
    device_ = device;
    controller_ = MakeCharacter(request_.character, device, counters_);
    if (!controller_) {
        WriteLog("無効なキャラクターが選択されました");
    }
    field_ = std::make_unique<Battlefield>(request_.stage, request_.difficulty);
    field_->SetStuckWarning([this] { RaiseStuckWarning(); });
    field_->SetWaveAppear([this](int) { Play(appearSound_); });
    CreateSprites(device);
    fade_.Init(device, 0, 0, 0, FadeDirection::Uncover, FadePattern::LeftLeads, kFadeSpeed, 0);
    inform_.Init(device);
    pauseMenu_.Init(device);
    saveNotice_.Init(device);
    hud_.Init(device, request_.difficulty);
    guide_.Init(device);
    gauge_.Init(device, 82, 454.0f);

    const field::StageStart start = field::SetUpStage(pack::kWaveDataPack, save_, request_, gauge_);
    counters_.points = start.points;
    bestScore_ = start.bestScore;
    if (!start.info.music.empty()) {
        musicName_ = start.info.music;
    }
    background_.texture = g_FileClass.FindTexture(start.info.background);
    fieldOverlay_.texture = g_FileClass.FindTexture(start.info.overlay);
    field_->BuildRoutes();
    return true;
}

void GameMain::CreateSprites(gfx::Device* device) {
    const FileClass& files = g_FileClass;
    background_.Create(device, nullptr, 224.0f, 224.0f, 512.0f, 512.0f);
    fieldOverlay_.Create(device, nullptr, 224.0f, 224.0f, 512.0f, 512.0f);
    fieldOverlay_.alpha = 150;
    fieldOverlay_.BuildVertices();
    grid_.Create(device, files.FindTexture("grid.png"), 224.0f, 224.0f, 512.0f, 512.0f);
    screenFrame_.Create(device, files.FindTexture("gameback.png"), 320.0f, 240.0f, 640.0f, 480.0f);
    stuckWarning_.Create(device, files.FindTexture("stuck.png"), 385.0f, 45.0f, 128.0f, 64.0f);
    stuckWarning_.alive = 0;
    stuckFade_.Set(0, 255, 0);
    redFlash_.Create(device, nullptr, 320.0f, 240.0f, 640.0f, 480.0f);
    redFlash_.red = 255;
    redFlash_.green = 0;
    redFlash_.blue = 0;
    redFlash_.alpha = 0;
    redFlash_.BuildVertices();
    CreateButtons(device);

    menuOpenSound_ = files.FindSound("menu_open.wav");
    itemGetSound_ = files.FindSound("itemget.wav");
    stuckSound_ = files.FindSound("stuck.wav");
    appearSound_ = files.FindSound("enemy_appear.wav");
    goalSound_ = files.FindSound("enemy_goal.wav");
    lockOnSound_ = files.FindSound("lockon.wav");
}

void GameMain::CreateButtons(gfx::Device* device) {
    gfx::Texture* const menu = g_FileClass.FindTexture("menu.png");
    menuButton_.Create(device, menu, 588.0f, 16.0f, 96.0f, 24.0f);
    SetBand(menuButton_, 0.0f, 0.125f);
    startButton_.Create(device, menu, 588.0f, 44.0f, 96.0f, 24.0f);
    SetBand(startButton_, 0.125f, 0.25f);
    nextWaveButton_.Create(device, menu, 588.0f, 44.0f, 96.0f, 24.0f);
    SetBand(nextWaveButton_, 0.25f, 0.375f);
}

// ---- The frame ----------------------------------------------------------------------------

void GameMain::Frame(gfx::Device* device, SceneContext& context) {
    if (device == nullptr || !controller_) {
        return;
    }
    BeginFrame(device, context);
    guide_.BeforeFrame(*this, context);
    DrawBackground();
    HandleSelection(context);
    HandlePlacement(context);
    RunTowersAndEnemies(Run(context));
    DrawFieldLayers();
    DrawStuckWarning(Run(context));
    RunWaves(Run(context));
    hud_.Draw({counters_.lives, counters_.points, bestScore_, itemScore_, bonusScore_},
              guide_.Emphasis(counters_.lives));
    DrawStatusPanel(Run(context));
    CollectItems(Run(context));
    DrawResult(context);
    StartAndNextWaveButtons(context);
    controller_->DrawUi(Run(context) != 0, menuOpen_);
    guide_.Draw(*this, context);
    PauseMenuStep(context);
    saveNotice_.Draw();
    DrawRedFlash();
    GoalTest(context);
    DropItemsAndSplit(Run(context));
    field_->RemoveFinishedEnemies();
    Resteer(Run(context));
    Transition(context);
}

void GameMain::BeginFrame(gfx::Device* device, SceneContext& context) {
    if (firstFrame_) {
        context.transitionMode = TransitionMode::Running;
        firstFrame_ = false;
    }
    SetBaseStates(device);
    SetAlphaBlendStates(device);
    if (cleared_ || failed_ || menuOpen_) {
        context.transitionMode = TransitionMode::Frozen;
    }
}

void GameMain::DrawBackground() { DrawCrisp(background_); }

bool GameMain::MouseInField(const SceneContext& context) const {
    return TankObject::IsInField(context.mouseX, context.mouseY);
}

void GameMain::HandleSelection(SceneContext& context) {
    TankObject& cursor = controller_->cursor;
    Status& panel = controller_->panel;
    const int run = Run(context);
    const bool inField = MouseInField(context);

    if (cursor.mode == TankObject::kSelectReplace && panel.CancelClicked(context)) {
        cursor.SetMode(TankObject::kHidden);
    }
    if (cursor.mode != TankObject::kSelect && cursor.mode != TankObject::kSelectReplace) {
        cursor.SnapToPlot(context.mouseX, context.mouseY);
    }
    if (cursor.mode == TankObject::kPlacingRefused) {
        cursor.SetMode(TankObject::kPlacing);
    }
    if (inField && context.leftPressed != 0 && cursor.mode == TankObject::kEnemyLocked) {
        cursor.SetMode(TankObject::kHidden);
        panel.ClearSelection();
    }
    if (cursor.mode == TankObject::kSelect &&
        (panel.ReplaceClicked(context) || context.keys[kKeyLeftShift].pressed != 0) &&
        (preparation_ || !panel.ActivationShown())) {
        cursor.SetMode(TankObject::kSelectReplace);
        panel.SetMode(PanelMode::Replace);
    }
    if (run != 0) {
        controller_->UpdateInfo(context, preparation_);
    }
    if (context.keys[kKeyD].pressed != 0) {
        cursor.SetMode(TankObject::kHidden);
        panel.ClearSelection();
    }
    if (run != 0) {
        if (cursor.mode == TankObject::kSelect) {
            controller_->UpgradeSelected(context, counters_.points, preparation_);
            controller_->SellSelected(context, preparation_, request_.options[kOptionSpellButton] != 0);
        } else if (cursor.mode == TankObject::kSelectReplace) {
            controller_->ReplaceSelected(context, counters_.points, preparation_);
        }
    }
    if (inField && run != 0) {
        const Enemy* clicked = nullptr;
        if (context.rightPressed == 0 && context.leftPressed != 0) {
            for (const auto& enemy : field_->Enemies()) {
                if (std::fabs(static_cast<float>(context.mouseX) - enemy->x) < kLockOnReach &&
                    std::fabs(static_cast<float>(context.mouseY) - enemy->y) < kLockOnReach) {
                    clicked = enemy.get();
                    break;
                }
            }
        }
        if (clicked != nullptr) {
            panel.SelectEnemy(*clicked);
            cursor.SetMode(TankObject::kEnemyLocked);
            Play(lockOnSound_);
        } else {
            controller_->SelectTower(context, preparation_);
        }
    }
    if (cursor.mode == TankObject::kPlacing) {
        controller_->CheckPlacement(context);
        if (field_->PlotRefused(cursor.x, cursor.y)) {
            cursor.SetMode(TankObject::kPlacingRefused);
        }
    }
    const bool drawCursor = (inField && run != 0) ? cursor.mode != TankObject::kHidden
                                                  : (cursor.mode == TankObject::kSelect ||
                                                     cursor.mode == TankObject::kSelectReplace);
    if (drawCursor) {
        cursor.Draw(run);
    }
}

void GameMain::HandlePlacement(const SceneContext& context) {
    TankObject& cursor = controller_->cursor;
    if (cursor.mode != TankObject::kPlacing || context.leftPressed == 0 || !MouseInField(context) ||
        Run(context) == 0) {
        return;
    }
    Battlefield::Placement placement = field_->ClosePlotForPlacement(cursor.x, cursor.y);
    const bool stands = controller_->CanAfford(counters_.points, static_cast<int>(cursor.kind)) &&
                        field_->BuildRoutes() &&
                        controller_->PlaceTower(counters_.points, cursor.x, cursor.y,
                                                static_cast<int>(cursor.kind), false);
    if (!stands) {
        field_->UndoPlacement(placement);
    }
}

void GameMain::RunTowersAndEnemies(int run) {
    const bool running = run != 0;
    Battlefield::EnemyList& enemies = field_->Enemies();
    controller_->DrawTowers(enemies, running);
    FreedPlot freed;
    controller_->ReapTowers(freed, counters_.points, preparation_);
    if (freed.Any()) {
        field_->ReopenPlot(freed.x, freed.y);
        field_->BuildRoutes();
    }
    field_->FrameEnemies(run);
    controller_->RunTowers(enemies, running);
    controller_->HitTowers(enemies, running);
    controller_->AfterHits(enemies, running);
}

void GameMain::DrawFieldLayers() {
    if (gridVisible_) {
        DrawCrisp(grid_);
    }
    DrawCrisp(fieldOverlay_);
    DrawCrisp(screenFrame_);
    SetAlphaBlendStates(device_);
}

void GameMain::RaiseStuckWarning() {
    stuckFade_.value = kStuckShownFor;
    stuckWarning_.alive = 1;
    Play(stuckSound_);
}

void GameMain::DrawStuckWarning(int run) {
    stuckFade_.Decrease(kStuckFadeStep);
    stuckWarning_.alpha = stuckFade_.Get();
    stuckWarning_.BuildVertices();
    stuckWarning_.Draw(run);
    if (stuckWarning_.alpha == 0) {
        stuckWarning_.alive = 0;
    }
}

void GameMain::RunWaves(int run) {
    gauge_.Draw(run);
    if (!preparation_) {
        const int kind = gauge_.TakeWaveStart();
        if (kind != 0) {
            field_->SpawnWave(device_, kind, gauge_.CurrentWaveHealth(),
                              static_cast<std::uint32_t>(gauge_.CurrentWaveReward()),
                              gauge_.WaveNumber());
            ++counters_.waveCount;
            firstWaveStarted_ = true;
        }
    }
    if (gauge_.AllStarted()) {
        gauge_.SetFramesPerStep(kClearedStepFrames);
        gauge_.stopped = 1;
        if (!cleared_ && !failed_ && field_->Enemies().empty() && items_.empty()) {
            ClearStage();
        }
    }
}

void GameMain::DrawStatusPanel(int run) {
    TankObject& cursor = controller_->cursor;
    if (cursor.mode != TankObject::kHidden &&
        controller_->panel.Draw(request_.options, preparation_, run != 0)) {
        cursor.SetMode(TankObject::kHidden);
    }
}

void GameMain::CollectItems(int run) {
    for (std::size_t i = 0; i < items_.size();) {
        PowerItem& item = *items_[i];
        item.Draw(run);
        if (item.alive == 0 && run != 0) {
            if (request_.options[field::kOptionModestStart] == 0) {
                counters_.points = std::min(counters_.points + item.Value(), kMaxPoints);
            }
            itemScore_ += item.Value();
            Play(itemGetSound_);
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void GameMain::DrawResult(SceneContext& context) {
    if (!(cleared_ || failed_) || !inform_.Draw(context, menuOpen_)) {
        return;
    }
    if (!menuOpen_) {
        OpenMenu(context);
    } else {
        CloseMenu(context);
    }
}

bool GameMain::StartButtonLive(int run) const { return run != 0 && !gauge_.AllStarted(); }

void GameMain::StartAndNextWaveButtons(SceneContext& context) {
    const int run = Run(context);
    if (preparation_) {
        menuButton_.Draw(run);
        startButton_.Draw(run);
        if (!StartButtonLive(run)) {
            return;
        }
        const bool hovered = HoverSized(startButton_, context);
        if ((hovered && context.leftPressed != 0) || context.keys[kKeyN].pressed != 0 ||
            request_.options[kOptionSkipPreparation] != 0) {
            StartStage();
        }
        return;
    }
    menuButton_.Draw(1);
    nextWaveButton_.Draw(1);
    if (menuOpen_ || gauge_.AllStarted() || run == static_cast<int>(TransitionMode::Frozen) || run == static_cast<int>(TransitionMode::Still)) {
        return;
    }
    const bool hovered = HoverSized(nextWaveButton_, context);
    if ((hovered && context.leftPressed != 0) || context.keys[kKeyN].pressed != 0) {
        const int bonus = gauge_.SkipToNextWave();
        if (firstWaveStarted_) {
            bonusScore_ += bonus;
        }
    }
}

void GameMain::StartStage() {
    preparation_ = false;
    gauge_.SetFramesPerStep(kClearedStepFrames);
    gauge_.stopped = 0;
    music::QueueTrack(g_FileClass.Music(), musicName_.c_str(), kMusicFadeFrames, kMusicSwitchDelay);
}

void GameMain::PauseMenuStep(SceneContext& context) {
    if (!menuOpen_) {
        const bool hovered = HoverSized(menuButton_, context);
        if (!(hovered && context.leftPressed != 0) && context.keys[kKeySpace].pressed == 0) {
            return;
        }
        OpenMenu(context);
        // The menu shows from the frame it opens in; the Space that opened it must not close it.
        context.keys[kKeySpace].pressed = 0;
    }
    switch (pauseMenu_.Frame(context)) {
    case PauseMenu::Choice::Resume: CloseMenu(context); break;
    case PauseMenu::Choice::Title: goToTitle_ = true; break;
    case PauseMenu::Choice::Retry: retry_ = true; break;
    case PauseMenu::Choice::None: break;
    }
}

void GameMain::OpenMenu(SceneContext& context) {
    Play(menuOpenSound_);
    context.transitionMode = TransitionMode::Frozen;
    menuOpen_ = true;
    g_FileClass.Music().Stop();
    pauseMenu_.Open(!(cleared_ || failed_));
}

void GameMain::CloseMenu(SceneContext& context) {
    g_FileClass.Music().Resume();
    context.transitionMode = TransitionMode::Running;
    menuOpen_ = false;
}

void GameMain::DrawRedFlash() {
    if (redFlash_.alpha == 0) {
        redFlash_.pulseStep = 0;
    }
    redFlash_.Draw(1);
}

void GameMain::GoalTest(SceneContext& context) {
    for (const auto& enemy : field_->Enemies()) {
        if (failed_) {
            return;
        }
        if (enemy->alive == 0 || (enemy->y <= kGoalLine && enemy->x <= kGoalLine)) {
            continue;
        }
        enemy->alive = 0;
        --counters_.lives;
        controller_->hurtFrames = kHurtFrames;
        controller_->hurtRestart = true;
        redFlash_.alpha = kFlashAlpha;
        redFlash_.pulseStep = kFlashStep;
        redFlash_.pulseUp = 0;
        Play(goalSound_);
        guide_.LifeLost(enemy->x, enemy->y);
        if (counters_.lives <= 0) {
            LoseStage(context);
        }
    }
}

void GameMain::DropItemsAndSplit(int run) {
    if (run != static_cast<int>(TransitionMode::Running)) {
        return;
    }
    // Splitting appends children to the list, so walk it by index.
    Battlefield::EnemyList& enemies = field_->Enemies();
    for (std::size_t i = 0; i < enemies.size(); ++i) {
        const Enemy& enemy = *enemies[i];
        if (enemy.dead == 0 || enemy.goneFrames != 1) {
            continue;
        }
        DropItems(static_cast<int>(enemy.reward), enemy.x, enemy.y);
        if (enemy.splitDepth > 0) {
            field_->SplitFurball(device_, enemy);
        }
    }
}

void GameMain::DropItems(int reward, float x, float y) {
    for (const int value : ItemValuesFor(reward)) {
        items_.push_back(std::make_unique<PowerItem>(device_, x, y, value));
    }
}

void GameMain::Resteer(int run) {
    WalkLoad& routes = field_->Routes();
    if (!preparation_ && run != 0 && routes.resteerFrames > 0) {
        --routes.resteerFrames;
    }
}

void GameMain::Transition(SceneContext& context) {
    if (!fade_.Update()) {
        return;
    }
    g_FileClass.Music().Update();
    if (goToTitle_) {
        context.sceneCode = SceneCode::Title;
        context.transitionMode = TransitionMode::Leaving;
        menuOpen_ = false;
    } else if (retry_) {
        context.restart = 1;
        context.transitionMode = TransitionMode::Leaving;
        menuOpen_ = false;
    }
}

void GameMain::ClearStage() {
    cleared_ = true;
    inform_.Show(true, itemScore_, bonusScore_, counters_.lives);
    controller_->cursor.SetMode(TankObject::kHidden);
    controller_->panel.ClearSelection();
    const int score = StageScore();
    if (request_.difficulty != field::kEasy && request_.stage < kClearMarkedStages) {
        save_.settings[CSaveFile::kStageCleared0 + request_.stage] = 1;
    }
    if (!save_.Save(request_.stage, request_.difficulty, request_.character, request_.options, score)) {
        saveNotice_.Show();
    }
    bestScore_ = std::max(bestScore_, score);
}

void GameMain::LoseStage(SceneContext& context) {
    failed_ = true;
    inform_.Show(false, itemScore_, bonusScore_, counters_.lives);
    context.transitionMode = TransitionMode::Frozen;
    controller_->panel.ClearSelection();
    controller_->cursor.SetMode(TankObject::kHidden);
}
