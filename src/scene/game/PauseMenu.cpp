#include "scene/game/PauseMenu.h"

#include "base/SceneContext.h"
#include "audio/DirectSound.h"
#include "resource/FileClass.h"

namespace {

constexpr float kItemY[3] = {260.0f, 310.0f, 360.0f};
constexpr float kHitWidth[3] = {140.0f, 160.0f, 160.0f};
constexpr float kHitHeight = 40.0f;
constexpr int kDimAlpha = 200;
// The overlay's pulse step is negative, so the falling pulse raises it by ten a frame.
constexpr int kDimStep = -10;
// About 43 frames of blinking before a title or retry choice takes effect.
constexpr double kBlinkPhaseToLeave = 21.0;

void Play(DirectSound* sound) {
    if (sound != nullptr) {
        sound->PlayFromStart();
    }
}

}  // namespace

void PauseMenu::Init(gfx::Device* device) {
    overlay_.Create(device, g_FileClass.FindTexture("color.png"), 320.0f, 240.0f, 640.0f, 480.0f);
    gfx::Texture* const sheet = g_FileClass.FindTexture("menu_select.png");
    plate_.Create(device, sheet, 224.0f, 190.0f, 256.0f, 64.0f);
    plate_.SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, 0.0f, 0.25f, 0.0f);
    for (int i = 0; i < kItems; ++i) {
        MouseChangeObject2D& item = items_[static_cast<std::size_t>(i)];
        item.Create(device, sheet, 224.0f, kItemY[i], 192.0f, 48.0f);
        const float top = 0.25f * static_cast<float>(i + 1);
        item.SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, top, top + 0.25f, 0.0f);
        item.SetHitBox(kHitWidth[i], kHitHeight, 0.0f, 0.0f);
    }
    selectSound_ = g_FileClass.FindSound("select.wav");
    decideSound_ = g_FileClass.FindSound("decide.wav");
}

void PauseMenu::Open(bool resumable) {
    overlay_.SetAnimation(0, kDimStep, 0.8f, 1.0f, 0.0f, 0.0f, 0.2f, 0.0f);
    overlay_.pulseUp = 0;
    chosen_ = Item::None;
    items_[static_cast<std::size_t>(Item::Resume)].alive = resumable ? 1 : 0;
}

PauseMenu::Choice PauseMenu::Frame(const SceneContext& input) {
    DrawOverlay();
    const Choice choice = chosen_ == Item::None ? TakeInput(input) : FinishBlinking();
    plate_.Draw(1);
    for (MouseChangeObject2D& item : items_) {
        if (item.alive != 0) {
            item.Draw(1);
        }
    }
    return choice;
}

void PauseMenu::DrawOverlay() {
    overlay_.Draw(1);
    if (overlay_.alpha >= kDimAlpha) {
        overlay_.alpha = kDimAlpha;
        overlay_.pulseStep = 0;
        overlay_.BuildVertices();
    }
}

PauseMenu::Choice PauseMenu::TakeInput(const SceneContext& input) {
    Item hovered = Item::None;
    for (int i = 0; i < kItems; ++i) {
        MouseChangeObject2D& item = items_[static_cast<std::size_t>(i)];
        const bool over = item.alive != 0 && item.HitTest(input, 0);
        item.SetSize(over ? 256.0f : 192.0f, over ? 64.0f : 48.0f);
        if (over && hovered == Item::None) {
            hovered = static_cast<Item>(i);
        }
    }
    if (hovered == Item::None) {
        hoverLatch_ = false;
    } else if (!hoverLatch_) {
        hoverLatch_ = true;
        Play(selectSound_);
    }
    const bool clicked = input.leftPressed != 0;
    if ((hovered == Item::Resume && clicked) || input.keys[kKeySpace].pressed != 0) {
        return Choice::Resume;
    }
    if (clicked && (hovered == Item::Title || hovered == Item::Retry)) {
        Choose(hovered);
    }
    return Choice::None;
}

void PauseMenu::Choose(Item item) {
    for (MouseChangeObject2D& each : items_) {
        each.SetSize(192.0f, 48.0f);
    }
    MouseChangeObject2D& picked = items_[static_cast<std::size_t>(item)];
    picked.blinkPhase = 0.0;
    picked.SetBlinking(true);
    chosen_ = item;
    Play(decideSound_);
}

PauseMenu::Choice PauseMenu::FinishBlinking() {
    MouseChangeObject2D& picked = items_[static_cast<std::size_t>(chosen_)];
    if (picked.blinking == 0 || picked.blinkPhase <= kBlinkPhaseToLeave) {
        return Choice::None;
    }
    picked.SetBlinking(false);
    return chosen_ == Item::Title ? Choice::Title : Choice::Retry;
}
