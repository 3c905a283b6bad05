#include "bullet/SunburstBullet.h"

#include "bullet/BulletGeometry.h"
#include "bullet/HomingBullet.h"
#include "enemy/Enemy.h"
#include "gfx/RenderPresets.h"

namespace {

constexpr int kDriftFrames = 30;
constexpr float kStartSpeed = 2.0f;
constexpr float kSpeedUp = 1.03f;
constexpr float kPush = 0.05f;

constexpr float kTrailWidth = 32.0f;
constexpr int kTrailPoints = 16;
constexpr float kTrailShrink = 0.6f;
constexpr int kParticles = 16;
constexpr float kParticleSpeed = 0.06f;
constexpr int kGlowAlpha = 240;
constexpr int kGlowPulse = 5;
constexpr float kGlowSpin = 0.3f;

struct ColourScheme {
    int trail[3];
    int particles[3];
};

constexpr ColourScheme kSchemes[3] = {
    {{20, 60, 70}, {40, 120, 140}},
    {{60, 30, 70}, {120, 60, 140}},
    {{60, 60, 30}, {120, 120, 60}},
};

}  // namespace

void SunburstBullet::Launch(gfx::Device* newDevice, gfx::Texture* trailTexture, gfx::Texture* glowTexture, float newX,
                            float newY, float size, float driftX, float driftY) {
    device = newDevice;
    x = newX;
    y = newY;
    trail_.Init(newDevice, trailTexture, newX, newY, driftX, driftY, kTrailPoints, kTrailWidth, kTrailShrink);
    burst_.Init(newDevice, trailTexture, newX, newY, kParticles, kParticleSpeed);
    burst_.SetRandomColours(120, 120, 120);
    glow_.Create(newDevice, glowTexture, newX, newY, size, size);
    glow_.SetAnimation(kGlowAlpha, kGlowPulse, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    glow_.SetRotation(0.0f, kGlowSpin);
    blastRadius_ = size / 2.0f;
    alive = 1;
}

void SunburstBullet::SetColourScheme(int i) {
    const ColourScheme& scheme = kSchemes[((i % 3) + 3) % 3];
    trail_.sprite.red = scheme.trail[0];
    trail_.sprite.green = scheme.trail[1];
    trail_.sprite.blue = scheme.trail[2];
    burst_.SetRandomColours(scheme.particles[0], scheme.particles[1], scheme.particles[2]);
}

void SunburstBullet::Explode(Battlefield::EnemyList& enemies, int damage) {
    burst_.SetPosition(x, y);
    glow_.SetPosition(x, y);
    exploding_ = true;
    trail_.stopped = 1;
    for (const auto& enemy : enemies) {
        if (bullet::Distance(x, y, enemy->x, enemy->y) <= blastRadius_) {
            enemy->Damage(damage, true, false);
        }
    }
}

void SunburstBullet::Steer() {
    if (exploding_) {
        target.Reset();
        return;
    }
    Enemy* enemy = target.Get();
    if (enemy == nullptr && !target.Lost()) {
        Enemy* nearest = NearestEnemy(enemies_, x, y);
        target = nearest != nullptr ? nearest->Ref() : EnemyRef();
        return;
    }
    if (enemy == nullptr || !bullet::IsLiveEnemy(*enemy)) {
        speed_ = kStartSpeed;
        ax_ = 0.0f;
        ay_ = 0.0f;
        target.Reset();
        return;
    }
    vx_ += ax_;
    vy_ += ay_;
    speed_ *= kSpeedUp;
    const bullet::Velocity velocity = bullet::VelocityTowards(x, y, enemy->x, enemy->y, speed_);
    vx_ = velocity.vx;
    vy_ = velocity.vy;
    ax_ = kPush * vx_;
    ay_ = kPush * vy_;
    trail_.vx = vx_;
    trail_.vy = vy_;
}

void SunburstBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        if (++age_ >= kDriftFrames) {
            launched_ = true;
        }
        if (launched_) {
            Steer();
        } else if (const Enemy* enemy = target.Get(); enemy != nullptr && !bullet::IsLiveEnemy(*enemy)) {
            target.Reset();
        }
    }
    DrawParts(update);
}

void SunburstBullet::DrawParts(int update) {
    SetAdditiveStates(device);
    if (exploding_) {
        burst_.Update(update);
        glow_.Draw(update);
        trail_.Update(update);
        if (burst_.alive == 0) {
            alive = 0;
        }
    } else {
        trail_.Update(update);
        x = trail_.headX;
        y = trail_.headY;
    }
    SetAlphaBlendStates(device);
}
