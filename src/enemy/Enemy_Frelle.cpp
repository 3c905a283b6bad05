#include "enemy/Enemy_Frelle.h"

#include "app/Random.h"
#include "gfx/Device.h"
#include "resource/FileClass.h"

namespace {

constexpr int kLookAroundFrames = 12;
// Out of 100 draws, this one and below confuse her.
constexpr int kConfusionThreshold = 70;

}  // namespace

Enemy_Frelle::Enemy_Frelle(gfx::Device* device, int health, std::uint32_t reward, int route, int x, int y,
                           WalkLoad* load, int level, bool big)
    : Enemy({12, 1.0, "enemy_frelle.png"}, device, health, reward, route, x, y, load, level, big) {
    const float size = big ? 24.0f : 16.0f;
    mark.Create(device, g_FileClass.FindTexture("hatena.png"), this->x, this->y, size, size);
}

void Enemy_Frelle::DrawMark() {
    if (!CanDraw()) {
        return;
    }
    mark.SetPosition(x, y - (IsBig() ? 18.0f : 12.0f));
    device_->SetSamplerState(0, gfx::SamplerState::MinFilter, gfx::TEXF_POINT);
    device_->SetSamplerState(0, gfx::SamplerState::MagFilter, gfx::TEXF_POINT);
    mark.Draw(0);
    device_->SetSamplerState(0, gfx::SamplerState::MinFilter, gfx::TEXF_LINEAR);
    device_->SetSamplerState(0, gfx::SamplerState::MagFilter, gfx::TEXF_LINEAR);
}

void Enemy_Frelle::Frame(int update) {
    Enemy::Frame(update);
    // The confusion counts down even while the field is frozen.
    if (alive != 0 && dead == 0 && confuseFrames > 0) {
        ConfusedStep();
    }
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
    DrawMark();
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
