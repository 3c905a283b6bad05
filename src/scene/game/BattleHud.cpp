#include "scene/game/BattleHud.h"

#include "gfx/Device.h"
#include "object/DrawCrisp.h"
#include "resource/FileClass.h"

namespace {

constexpr float kLivesX = 580.0f;
constexpr float kPointsX = 580.0f;
constexpr float kScoreX = 462.0f;
// Right of a four-digit item score.
constexpr float kBonusX = 514.0f;

void SetBand(Object2D& sprite, float uLeft, float uRight, float vTop, float vBottom) {
    sprite.SetAnimation(255, 0, uLeft, uRight, 0.0f, vTop, vBottom, 0.0f);
}

}  // namespace

void BattleHud::DrawCounter(SpriteNumber& counter, int value, float x, bool alarm) {
    if (alarm) {
        counter.SetColour(255, 255, 70, 70);
    }
    counter.SetPosition(x, counter.y);
    counter.DrawInt(value, false);
    if (alarm) {
        counter.SetColour(255, 255, 255, 255);
    }
}

void BattleHud::Init(gfx::Device* device, int difficulty) {
    device_ = device;
    const FileClass& files = g_FileClass;
    waveFrame_.Create(device, files.FindTexture("levelflame.png"), 76.0f, 454.0f, 64.0f, 32.0f);
    sidePanel_.Create(device, files.FindTexture("gameback.png"), 544.0f, 240.0f, 192.0f, 480.0f);
    SetBand(sidePanel_, 0.7f, 1.0f, 0.0f, 1.0f);
    lifeIcon_.Create(device, files.FindTexture("life_icon.png"), 560.0f, 70.0f, 24.0f, 24.0f);
    pointsIcon_.Create(device, files.FindTexture("p.png"), 560.0f, 96.0f, 24.0f, 24.0f);
    gfx::Texture* const scoreSheet = files.FindTexture("score.png");
    bestLabel_.Create(device, scoreSheet, 465.0f, 12.0f, 64.0f, 16.0f);
    SetBand(bestLabel_, 0.0f, 1.0f, 0.0f, 0.5f);
    scoreLabel_.Create(device, scoreSheet, 465.0f, 45.0f, 64.0f, 16.0f);
    SetBand(scoreLabel_, 0.0f, 1.0f, 0.5f, 1.0f);
    difficultyLabel_.Create(device, files.FindTexture("lv_select.png"), 400.0f, 9.0f, 64.0f, 16.0f);
    const float row = static_cast<float>(difficulty);
    SetBand(difficultyLabel_, 0.0f, 1.0f, row / 8.0f, (row + 1.0f) / 8.0f);

    gfx::Texture* const digits = files.FindTexture("number.png");
    lives_.Init(device, digits, kLivesX, 70.0f, 20.0f, 24.0f, -9.0f, 1);
    points_.Init(device, digits, kPointsX, 96.0f, 20.0f, 24.0f, -9.0f, 1);
    // The scores start right of the gold border between the field and the side panel (x 448..451).
    best_.Init(device, digits, kScoreX, 27.0f, 16.0f, 16.0f, -6.0f, 1);
    item_.Init(device, digits, kScoreX, 60.0f, 16.0f, 16.0f, -6.0f, 1);
    bonus_.Init(device, digits, kBonusX, 60.0f, 16.0f, 16.0f, -6.0f, 1);
}

void BattleHud::Draw(const Figures& figures, const Emphasis& emphasis) {
    DrawCrisp(waveFrame_);
    sidePanel_.Draw(1);
    lifeIcon_.Draw(1);
    pointsIcon_.Draw(1);
    DrawCounter(lives_, figures.lives, kLivesX + emphasis.livesOffsetX, emphasis.livesAlarm);
    DrawCounter(points_, figures.points, kPointsX, emphasis.pointsAlarm);
    DrawCrisp(bestLabel_);
    DrawCrisp(scoreLabel_);
    difficultyLabel_.Draw(1);
    best_.DrawInt(figures.bestScore, false);
    item_.DrawInt(figures.itemScore, false);
    bonus_.DrawInt(figures.bonusScore, false);
}
