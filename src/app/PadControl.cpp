#include "app/PadControl.h"

#include <cmath>
#include <optional>
#include <string>

#include "base/LogPutout.h"
#include "base/SceneContext.h"
#include "enemy/Enemy.h"
#include "field/Battlefield.h"
#include "field/TankObject.h"
#include "gfx/RenderPresets.h"
#include "input/DeviceBuffer.h"
#include "object/DrawCrisp.h"
#include "platform/Window.h"
#include "resource/FileClass.h"
#include "scene/game/GameMain.h"
#include "tower/BaseCharacter.h"

void PadControl::Start(bool headless) {
    if (headless) {
        return;
    }
    std::string error;
    padsStarted_ = pads_.Start(error);
    if (!padsStarted_) {
        WriteLog(("ゲームパッドを使えません: " + error).c_str());
    }
}

void PadControl::Feed(bool pointerFrame, const GameMain* battle, bool battleRunning, input::PadOutput& out,
                      bool mayLockOn) {
    platform::PadState pad = input::ScriptPad();
    if (padsStarted_) {
        pad = platform::Merge(pads_.Poll(), pad);
    }
    std::optional<input::PadLattice> plots;
    if (battle != nullptr && battleRunning) {
        plots = input::PadLattice{TankObject::kFirstPlotCentre, TankObject::kLastPlotCentre, TankObject::kPlotSize};
    }
    padPointer_.SetSpots(pointerSpots_, plots);
    // The shoulders step on from the tower being placed, however it was chosen.
    if (battle == nullptr) {
        padPointer_.SetShopEntry(-1);
    } else if (const cBaseCharacter* controller = battle->Controller()) {
        const TankObject& cursor = controller->cursor;
        if (cursor.mode == TankObject::kPlacing || cursor.mode == TankObject::kPlacingRefused) {
            padPointer_.SetShopEntry(static_cast<int>(cursor.kind) - 1);
        }
    }
    padPointer_.Update(pad, out, pointerFrame);
    if (padPointer_.LockOnAsked() && battle != nullptr && battleRunning && mayLockOn) {
        LockOnNearest(*battle, out);
    }
}

// The right stick's click: the pointer goes to the enemy on the field nearest to it and clicks
// there, which locks it on as a click of the mouse would.
void PadControl::LockOnNearest(const GameMain& battle, input::PadOutput& out) {
    int x = 0;
    int y = 0;
    out.Cursor(x, y);
    const Enemy* nearest = nullptr;
    float nearestDistance = 0.0f;
    for (const auto& enemy : battle.Field()->Enemies()) {
        if (enemy->alive == 0 || !TankObject::IsInField(static_cast<int>(enemy->x), static_cast<int>(enemy->y))) {
            continue;
        }
        const float distance = std::hypot(enemy->x - static_cast<float>(x), enemy->y - static_cast<float>(y));
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = enemy.get();
            nearestDistance = distance;
        }
    }
    if (nearest != nullptr) {
        padPointer_.ClickAt(static_cast<int>(nearest->x), static_cast<int>(nearest->y), out);
    }
}

void PadControl::TakePointerSpots(const SceneContext& context) {
    pointerSpots_.clear();
    for (std::size_t i = 0; i < context.pointerSpotCount; ++i) {
        pointerSpots_.push_back({context.pointerSpots[i].x, context.pointerSpots[i].y});
    }
}

void PadControl::FollowDevice(platform::Window* window) {
    const bool shown = input::LastUsedDevice() != input::LastDevice::Pad;
    if (window != nullptr && shown != systemCursorShown_) {
        window->ShowSystemCursor(shown);
    }
    systemCursorShown_ = shown;
}

void PadControl::DrawPointer(gfx::Device* device) {
    if (input::LastUsedDevice() != input::LastDevice::Pad) {
        return;
    }
    if (!cursorReady_) {
        gfx::Texture* texture = g_FileClass.FindTexture("cursor.png");
        if (texture == nullptr) {
            return;
        }
        cursor_.Create(device, texture, 0.0f, 0.0f, 32.0f, 32.0f);
        cursorReady_ = true;
    }
    int x = 0;
    int y = 0;
    input::GetCursorPosition(x, y);
    cursor_.x = static_cast<float>(x + 13);
    cursor_.y = static_cast<float>(y + 14);
    SetAlphaBlendStates(device);
    DrawCrisp(cursor_, 1);
}
