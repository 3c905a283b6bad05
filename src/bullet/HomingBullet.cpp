#include "bullet/HomingBullet.h"

#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"

namespace {

constexpr float kFieldEdge = 432.0f;
constexpr float kSearchReach = 800.0f;
constexpr float kHomingSpeed = 3.0f;
constexpr float kQuarterTurn = 1.570796f;

// A Brask amulet waits this many frames after a hit (or its launch) before it seeks again.
constexpr int kSeekPause = 8;
constexpr float kBraskSpeedUp = 1.03f;
constexpr float kBraskPush = 0.05f;
constexpr int kSpentAlpha = 200;
constexpr int kSpentPulse = 10;
constexpr int kSpentFrames = 20;
constexpr float kBraskBaseSize = 12.0f;
constexpr float kBraskSizePerHit = 2.0f;

constexpr int kTrailLifeByLevel[] = {20, 19, 18, 17, 16, 15};
constexpr int kTrailLifeOther = 20;
constexpr float kAfterImageGrowth = 4.0f / 20.0f;
constexpr float kAfterImageSpin = 0.3f;
// An after-image fades from full to nothing over its life.
constexpr int kFadeSpan = 240;

int TrailInterval(int level) {
    if (level >= 0 && level <= 4) {
        return 6;
    }
    return level == 5 ? 5 : 7;
}

int TrailLife(int level) { return level >= 0 && level <= 5 ? kTrailLifeByLevel[level] : kTrailLifeOther; }

bool InsideField(const Enemy& enemy) {
    return enemy.x > 0.0f && enemy.x < kFieldEdge && enemy.y > 0.0f && enemy.y < kFieldEdge;
}

}  // namespace

bool bullet::IsLiveEnemy(const Enemy& enemy) { return enemy.dead == 0 && enemy.alive != 0; }

Enemy* NearestEnemy(const Battlefield::EnemyList& enemies, float x, float y) {
    Enemy* nearest = nullptr;
    float best = kSearchReach;
    for (const auto& enemy : enemies) {
        if (!bullet::IsLiveEnemy(*enemy) || !InsideField(*enemy)) {
            continue;
        }
        const float distance = bullet::Distance(x, y, enemy->x, enemy->y);
        if (distance < best) {
            best = distance;
            nearest = enemy.get();
        }
    }
    return nearest;
}

// --- HomingBullet ----------------------------------------------------------------------------

Enemy* HomingBullet::LiveTarget() {
    Enemy* enemy = target.Get();
    if (enemy != nullptr && !bullet::IsLiveEnemy(*enemy)) {
        target.Reset();
        return nullptr;
    }
    return enemy;
}

void HomingBullet::Move(int update) {
    if (update == 1) {
        Step();
    }
}

void HomingBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    Move(update);
    // Turning towards the target happens in paused frames too: the amulet faces where it will go.
    if (const Enemy* enemy = LiveTarget(); enemy != nullptr) {
        const bullet::Velocity velocity = bullet::VelocityTowards(x, y, enemy->x, enemy->y, kHomingSpeed);
        vx = velocity.vx;
        vy = velocity.vy;
        SetRotation(velocity.angle - kQuarterTurn, 0.0f);
    }
    BuildVertices();
    DrawQuad();
}

// --- BraskAmuletBullet -----------------------------------------------------------------------

BraskAmuletBullet::BraskAmuletBullet(int hits, int level, const Battlefield::EnemyList& enemies)
    : hitsLeft_(hits), enemies_(enemies), trailInterval_(TrailInterval(level)), trailLife_(TrailLife(level)) {}

void BraskAmuletBullet::SetTrail(gfx::Texture* texture) {
    trailTexture_ = texture;
    trailTicks_ = 0;
}

bool BraskAmuletBullet::TakeHit(int n) {
    if (hitsLeft_ < 1 || sinceHit_ <= kSeekPause) {
        return false;
    }
    // It halts where it hit.
    SetMotion(0.0f, 0.0f, 0.0f, 0.0f);
    sinceHit_ = 0;
    hitsLeft_ -= n;
    speed = 1.0f;
    return true;
}

void BraskAmuletBullet::Advance() {
    if (++trailTicks_ >= trailInterval_ && hitsLeft_ > 0) {
        auto image = std::make_unique<EffectBurst>();
        image->Init(device, trailTexture_, x, y, width, kFadeSpan / trailLife_ + 1, kAfterImageGrowth);
        image->sprite.red = 250;
        image->sprite.green = 50;
        image->sprite.blue = 50;
        image->sprite.SetRotation(angle, kAfterImageSpin);
        image->alive = 1;
        afterImages_.push_back(std::move(image));
        trailTicks_ = 0;
    }
    if (hitsLeft_ == 0) {
        SetMotion(0.0f, 0.0f, 0.0f, 0.0f);
        alpha = kSpentAlpha;
        pulseStep = kSpentPulse;
        hitsLeft_ = -1;
    }
    if (hitsLeft_ < 1 && ++fadeTicks_ > kSpentFrames && afterImages_.empty()) {
        alive = 0;
    }
    if (alive) {
        const float size = kBraskBaseSize + kBraskSizePerHit * static_cast<float>(hitsLeft_);
        SetSize(size, size);
        Step();
        ++sinceHit_;
        Seek();
    }
}

void BraskAmuletBullet::Seek() {
    if (target.Get() == nullptr || hitsLeft_ < 1) {
        if (sinceHit_ > kSeekPause) {
            Enemy* nearest = NearestEnemy(enemies_, x, y);
            target = nearest != nullptr ? nearest->Ref() : EnemyRef();
        }
        return;
    }
    const Enemy* enemy = LiveTarget();
    if (enemy == nullptr || sinceHit_ <= kSeekPause) {
        return;
    }
    speed *= kBraskSpeedUp;
    const bullet::Velocity velocity = bullet::VelocityTowards(x, y, enemy->x, enemy->y, speed);
    SetMotion(velocity.vx, velocity.vy, kBraskPush * velocity.vx, kBraskPush * velocity.vy);
    SetRotation(velocity.angle - kQuarterTurn, 0.0f);
}

void BraskAmuletBullet::DrawAfterImages(int update) {
    for (auto& image : afterImages_) {
        image->Update(update);
    }
    std::erase_if(afterImages_, [](const std::unique_ptr<EffectBurst>& image) { return image->alive == 0; });
}

void BraskAmuletBullet::Draw(int update) {
    if (update == 1 && alive) {
        Advance();
    }
    DrawAfterImages(update);
    if (alive) {
        BuildVertices();
        DrawQuad();
    }
}
