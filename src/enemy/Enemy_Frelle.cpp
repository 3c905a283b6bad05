#include "enemy/Enemy_Frelle.h"

#include "base/Random.h"
#include "gfx/Device.h"
#include "gfx/RenderPresets.h"
#include "resource/FileClass.h"

namespace {

constexpr int kLookAroundFrames = 12;
// Out of 100 draws, this one and below confuse her.
constexpr int kConfusionThreshold = 70;

}  // namespace

Enemy_Frelle::Enemy_Frelle(const EnemySpawn& spawn) : Enemy({EnemyKind::Frelle, 1.0, "enemy_frelle.png"}, spawn) {
    const float size = spawn.big ? 24.0f : 16.0f;
    mark.Create(device_, g_FileClass.FindTexture("hatena.png"), x, y, size, size);
}

void Enemy_Frelle::Update(int update) {
    Enemy::Update(update);
    confusedThisFrame_ = alive != 0 && dead == 0 && confuseFrames > 0;
    if (confusedThisFrame_) {
        ConfusedStep();
    }
}

void Enemy_Frelle::Draw(int update) {
    Enemy::Draw(update);
    if (!confusedThisFrame_) {
        return;
    }
    mark.SetPosition(x, y - (IsBig() ? 18.0f : 12.0f));
    StageFilterScope crisp(device_, gfx::TEXF_POINT);
    mark.Draw(0);
}

void Enemy_Frelle::Travel(double speed) {
    if (confuseFrames > 0) {
        return;
    }
    SteerAlongRoute(speed);
}

void Enemy_Frelle::OnRouteChange(int code) {
    if (confuseFrames != 0 || code == lastCode) {
        return;
    }
    lastCode = code;
    if (Random::Next() % 100 <= kConfusionThreshold) {
        confuseFrames = RollConfusion(level);
    }
}

void Enemy_Frelle::ConfusedStep() {
    if (confuseFrames % kLookAroundFrames == 0) {
        int look = facing;
        while (look == facing) {
            look = Random::Next() % 8;
        }
        facing = look;
    }
    --confuseFrames;
    if (confuseFrames <= 0) {
        facing = prevFacing;
        Move();
    }
}
