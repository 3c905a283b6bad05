#include "scene/game/GameInform.h"

#include "base/SceneContext.h"
#include "gfx/Device.h"
#include "object/DrawCrisp.h"
#include "resource/FileClass.h"

namespace {

constexpr float kCentredLabelX = 215.0f;
constexpr float kCentredLabelY[4] = {188.0f, 218.0f, 248.0f, 286.0f};
constexpr float kCentredRowX = 265.0f;
// Docked beside the field, the window's right edge meets the frame's: its picture has a margin
// of five pixels, so its centre stands 123 pixels in from the right.
constexpr float kDockedX = 517.0f;
constexpr float kDockedLabelX = kDockedX - 25.0f;
constexpr float kDockedLabelY[4] = {260.0f, 290.0f, 320.0f, 358.0f};
constexpr float kDockedRowX = kDockedX + 25.0f;
constexpr int kRowShade = 40;
constexpr int kFadeStartAlpha = 250;
constexpr int kFadeStep = 5;

void ShowBand(Object2D& sprite, float top, float bottom) {
    sprite.SetAnimation(sprite.alpha, sprite.pulseStep, 0.0f, 1.0f, 0.0f, top, bottom, 0.0f);
}

}  // namespace

void GameInform::Init(gfx::Device* device) {
    device_ = device;
    background_.Create(device, g_FileClass.FindTexture("gameinform_base.png"), 240.0f, 240.0f, 256.0f, 256.0f);
    title_.Create(device, g_FileClass.FindTexture("gameinform.png"), 240.0f, 150.0f, 128.0f, 64.0f);
    gfx::Texture* const labelSheet = g_FileClass.FindTexture("gameinform2.png");
    for (int i = 0; i < kLabels; ++i) {
        Object2D& label = labels_[static_cast<std::size_t>(i)];
        label.Create(device, labelSheet, kCentredLabelX, kCentredLabelY[i], 128.0f, 32.0f);
        ShowBand(label, 0.25f * static_cast<float>(i), 0.25f * static_cast<float>(i + 1));
    }
    gfx::Texture* const digits = g_FileClass.FindTexture("number.png");
    for (int i = 0; i < kRows; ++i) {
        SpriteNumber& row = rows_[static_cast<std::size_t>(i)];
        row.Init(device, digits, kCentredRowX, kCentredLabelY[i], 20.0f, 22.0f, -9.0f, 1);
        row.SetColour(255, kRowShade, kRowShade, kRowShade);
    }
    rows_[1].SetShowPlus(true);
    rows_[2].SetShowPlus(true);
    total_.Init(device, digits, 250.0f, 286.0f, 23.0f, 26.0f, -10.0f, 1);
    total_.SetColour(255, 240, 10, 10);
    total_.SetShadow(0.6f, 0.6f, 255, 0x96, 0x14, 0x14);

    gfx::Texture* const menu = g_FileClass.FindTexture("menu.png");
    confirm_.Create(device, menu, 240.0f, 320.0f, 128.0f, 32.0f);
    ShowBand(confirm_, 0.75f, 0.875f);
    continue_.Create(device, menu, kDockedX, 390.0f, 128.0f, 32.0f);
    ShowBand(continue_, 0.0f, 0.125f);
    continue_.pulseStep = kFadeStep;
}

void GameInform::Show(bool cleared, int first, int second, int life) {
    ShowBand(title_, cleared ? 0.0f : 0.5f, cleared ? 0.5f : 1.0f);
    first_ = first;
    second_ = second;
    lifeBonus_ = life * 50;
    phase_ = Phase::Centred;
}

bool GameInform::Draw(const SceneContext& input, bool frozen) {
    if (phase_ == Phase::Hidden) {
        return false;
    }
    if (phase_ == Phase::Centred && !frozen) {
        const bool hovered = confirm_.HitTest(input, 0);
        confirm_.SetSize(hovered ? 160.0f : 128.0f, hovered ? 40.0f : 32.0f);
        if (hovered && input.leftPressed != 0) {
            StartFade();
        }
    }
    DrawWindow();
    if (phase_ == Phase::FadingOut && background_.alpha == 0) {
        MoveToSidePanel();
    } else if (phase_ == Phase::FadingIn && background_.alpha == 255) {
        SettleAtFullAlpha();
    }
    DrawNumbers();

    bool continueClicked = false;
    if (phase_ == Phase::Centred) {
        confirm_.Draw(1);
    } else if (phase_ == Phase::Docked) {
        continueClicked = !frozen && continue_.HitTest(input, 0) && input.leftPressed != 0;
        continue_.Draw(1);
    }
    return continueClicked;
}

void GameInform::StartFade() {
    for (Object2D* sprite : {&background_, &title_, &labels_[0], &labels_[1], &labels_[2], &labels_[3]}) {
        sprite->alpha = kFadeStartAlpha;
        sprite->pulseStep = kFadeStep;
        sprite->pulseUp = 0;
    }
    phase_ = Phase::FadingOut;
}

void GameInform::MoveToSidePanel() {
    background_.SetPosition(kDockedX, 310.0f);
    title_.SetPosition(kDockedX, 220.0f);
    for (int i = 0; i < kLabels; ++i) {
        labels_[static_cast<std::size_t>(i)].SetPosition(kDockedLabelX, kDockedLabelY[i]);
    }
    for (int i = 0; i < kRows; ++i) {
        rows_[static_cast<std::size_t>(i)].SetPosition(kDockedRowX, kDockedLabelY[i]);
    }
    total_.SetPosition(kDockedX + 10.0f, 358.0f);
    phase_ = Phase::FadingIn;
}

void GameInform::SettleAtFullAlpha() {
    for (Object2D* sprite : {&background_, &title_, &labels_[0], &labels_[1], &labels_[2], &labels_[3]}) {
        sprite->alpha = 255;
        sprite->pulseStep = 0;
        sprite->BuildVertices();
    }
    phase_ = Phase::Docked;
}

void GameInform::DrawWindow() {
    DrawCrisp(background_);
    DrawCrisp(title_);
    for (Object2D& label : labels_) {
        DrawCrisp(label);
    }
}

void GameInform::DrawNumbers() {
    SetNumberAlpha(labels_[0].alpha);
    rows_[0].DrawInt(first_, false);
    rows_[1].DrawInt(lifeBonus_, false);
    rows_[2].DrawInt(second_, false);
    total_.DrawIntShadowed(Total(), false);
}

void GameInform::SetNumberAlpha(int alpha) {
    for (SpriteNumber& row : rows_) {
        row.SetColour(alpha, kRowShade, kRowShade, kRowShade);
    }
    total_.SetShadow(0.6f, 0.6f, alpha, 0x96, 0x14, 0x14);
}
