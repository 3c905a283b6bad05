#include "scene/guide/AlertGuide.h"

#include <algorithm>
#include <cmath>

#include "audio/DirectSound.h"
#include "base/Language.h"
#include "base/SceneContext.h"
#include "field/TankObject.h"
#include "resource/FileClass.h"
#include "scene/game/GameMain.h"
#include "tower/BaseCharacter.h"

namespace guide {

namespace {

constexpr int kMaxLevel = 5;
constexpr float kNoticeFrames = 60.0f;
constexpr float kFlashFrames = 40.0f;
constexpr float kShakeFrames = 60.0f;
constexpr float kExitMarkFrames = 90.0f;
constexpr float kShakeAmplitude = 4.0f;
constexpr int kFewLives = 5;
constexpr float kFieldEdge = 440.0f;

int CountTowers(const cBaseCharacter& controller) {
    int count = 0;
    for (int kind = 1; kind <= controller.EntryCount(); ++kind) {
        count += static_cast<int>(controller.Towers(kind).size());
    }
    return count;
}

// The placed tower the cursor has selected, if any.
const cBaseCharacterTank* SelectedTower(const cBaseCharacter& controller) {
    if (controller.cursor.mode != TankObject::kSelect) {
        return nullptr;
    }
    for (int kind = 1; kind <= controller.EntryCount(); ++kind) {
        for (const auto& tower : controller.Towers(kind)) {
            if (tower->IsAlive() && tower->X() == controller.cursor.x && tower->Y() == controller.cursor.y) {
                return tower.get();
            }
        }
    }
    return nullptr;
}

// The shop entry clicked or chosen by its key this frame, as the controller reads it, or 0.
int ChosenEntry(const cBaseCharacter& controller, const SceneContext& input) {
    for (int kind = 1; kind <= controller.EntryCount(); ++kind) {
        const int key = kind == 10 ? kKey0 : kKey1 + (kind - 1);
        if ((input.leftPressed != 0 && MouseOver(controller.ShopIcon(kind), input)) || input.keys[key].pressed != 0) {
            return kind;
        }
    }
    return 0;
}

}  // namespace

void AlertGuide::Init(gfx::Device* device) {
    shortOfPoints_.Init(device, 0.0f, 0.0f, 64, 16, 13, 0xFFFF5050u);
    // Fits: Tahoma 13, 64x1
    shortOfPoints_.Set(Tr("P不足"));
    MakePlate(plate_, device, {0, 0, 0}, 180);
    MakePlate(ring_, device, {255, 40, 40}, 200);
    refuseSound_ = g_FileClass.FindSound("refuse.wav");
}

void AlertGuide::BeforeFrame(const GameMain& game, const SceneContext& input) {
    const cBaseCharacter& controller = *game.Controller();
    before_.points = game.Counters().points;
    before_.running = input.transitionMode == TransitionMode::Running;
    before_.cursorMode = controller.cursor.mode;
    before_.towers = CountTowers(controller);
    const cBaseCharacterTank* selected = SelectedTower(controller);
    before_.selectedLevel = selected != nullptr ? selected->Level() : 0;
    before_.upgradeCost = selected != nullptr ? selected->UpgradeCost() : 0;
}

void AlertGuide::AfterFrame(const GameMain& game, const SceneContext& input) {
    const int speed = input.battleSpeed;
    for (ShownTimer* timer : {&notice_, &pointsFlash_, &livesShake_}) {
        timer->Step(speed);
    }
    for (ExitMark& mark : exits_) {
        mark.shown.Step(speed);
    }
    if (!before_.running) {
        return;
    }
    if (RefusedPlacement(game, input) || RefusedUpgrade(game, input) || RefusedReplacement(game, input)) {
        Refuse(input);
    }
}

// A click on open ground while placing that built nothing, with too few points for the kind.
bool AlertGuide::RefusedPlacement(const GameMain& game, const SceneContext& input) const {
    const cBaseCharacter& controller = *game.Controller();
    const TankObject& cursor = controller.cursor;
    if (input.leftPressed == 0 || !TankObject::IsInField(input.mouseX, input.mouseY) ||
        cursor.mode != TankObject::kPlacing ||
        (before_.cursorMode != TankObject::kPlacing && before_.cursorMode != TankObject::kPlacingRefused)) {
        return false;
    }
    const int kind = static_cast<int>(cursor.kind);
    return kind >= 1 && kind <= controller.EntryCount() && before_.points < controller.Entry(kind).price &&
           CountTowers(controller) == before_.towers;
}

bool AlertGuide::RefusedUpgrade(const GameMain& game, const SceneContext& input) const {
    const cBaseCharacter& controller = *game.Controller();
    if (before_.cursorMode != TankObject::kSelect || before_.selectedLevel < 1 ||
        before_.selectedLevel >= kMaxLevel || before_.points >= before_.upgradeCost) {
        return false;
    }
    const bool asked = input.keys[kKeyU].pressed != 0 ||
                       (input.leftPressed != 0 && controller.panel.Mode() == PanelMode::Tower &&
                        MouseOver(controller.panel.UpgradeButton(), input));
    const cBaseCharacterTank* selected = SelectedTower(controller);
    return asked && (selected == nullptr || selected->Level() == before_.selectedLevel);
}

bool AlertGuide::RefusedReplacement(const GameMain& game, const SceneContext& input) const {
    const cBaseCharacter& controller = *game.Controller();
    if (before_.cursorMode != TankObject::kSelectReplace) {
        return false;
    }
    const int kind = ChosenEntry(controller, input);
    return kind != 0 && before_.points < controller.Entry(kind).price;
}

void AlertGuide::Refuse(const SceneContext& input) {
    ++refusals_;
    noticeX_ = static_cast<float>(input.mouseX);
    noticeY_ = static_cast<float>(input.mouseY);
    notice_.Start(kNoticeFrames);
    pointsFlash_.Start(kFlashFrames);
    if (refuseSound_ != nullptr) {
        refuseSound_->PlayFromStart();
    }
}

void AlertGuide::LifeLost(float x, float y) {
    ExitMark& mark = exits_[nextExit_];
    nextExit_ = (nextExit_ + 1) % exits_.size();
    mark.x = std::min(x, kFieldEdge);
    mark.y = std::min(y, kFieldEdge);
    mark.shown.Start(kExitMarkFrames);
    livesShake_.Start(kShakeFrames);
}

float AlertGuide::LivesShake() const {
    if (!livesShake_.Running()) {
        return 0.0f;
    }
    // A few quick swings that die away.
    const float left = livesShake_.Left();
    return kShakeAmplitude * left * std::sin(left * kShakeFrames * 0.9f);
}

bool AlertGuide::LivesAlarm(int lives) const { return livesShake_.Running() || lives <= kFewLives; }

bool AlertGuide::PointsAlarm() const {
    // Two blinks a third of a second each.
    return pointsFlash_.Running() && static_cast<int>(pointsFlash_.Left() * 6.0f) % 2 == 1;
}

void AlertGuide::Draw(const SceneContext&) {
    for (ExitMark& mark : exits_) {
        if (!mark.shown.Running()) {
            continue;
        }
        // A red cross where the enemy left, shrinking as it fades.
        const float left = mark.shown.Left();
        ring_.alpha = static_cast<int>(220.0f * left);
        const float size = 10.0f + 14.0f * left;
        DrawPlate(ring_, mark.x, mark.y, size, 4.0f, 0.785398f);
        DrawPlate(ring_, mark.x, mark.y, size, 4.0f, -0.785398f);
    }
    if (notice_.Running()) {
        const float x = std::clamp(noticeX_ + 30.0f, 30.0f, 610.0f);
        const float y = std::clamp(noticeY_ - 18.0f, 10.0f, 470.0f);
        plate_.alpha = static_cast<int>(180.0f * std::min(1.0f, notice_.Left() * 3.0f));
        DrawPlate(plate_, x, y, 44.0f, 16.0f);
        shortOfPoints_.SetPosition(x + 32.0f - 19.0f, y + 1.0f);
        shortOfPoints_.Draw();
    }
}

}  // namespace guide
