#include "scene/game/BattleHud.h"

#include "gfx/Device.h"
#include "object/DrawCrisp.h"
#include "resource/FileClass.h"

namespace {

void SetBand(Object2D& sprite, float uLeft, float uRight, float vTop, float vBottom) {
    sprite.SetAnimation(255, 0, uLeft, uRight, 0.0f, vTop, vBottom, 0.0f);
}

}  // namespace

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
    lives_.Init(device, digits, 580.0f, 70.0f, 20.0f, 24.0f, -9.0f, 1);
    points_.Init(device, digits, 580.0f, 96.0f, 20.0f, 24.0f, -9.0f, 1);
    best_.Init(device, digits, 445.0f, 27.0f, 16.0f, 16.0f, -6.0f, 1);
    item_.Init(device, digits, 445.0f, 60.0f, 16.0f, 16.0f, -6.0f, 1);
    bonus_.Init(device, digits, 503.0f, 60.0f, 16.0f, 16.0f, -6.0f, 1);
}

void BattleHud::Draw(const Figures& figures) {
    DrawCrisp(waveFrame_);
    sidePanel_.Draw(1);
    lifeIcon_.Draw(1);
    pointsIcon_.Draw(1);
    lives_.DrawInt(figures.lives, false);
    points_.DrawInt(figures.points, false);
    DrawCrisp(bestLabel_);
    DrawCrisp(scoreLabel_);
    difficultyLabel_.Draw(1);
    best_.DrawInt(figures.bestScore, false);
    item_.DrawInt(figures.itemScore, false);
    bonus_.DrawInt(figures.bonusScore, false);
}
