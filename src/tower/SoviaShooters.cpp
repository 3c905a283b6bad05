#include "tower/SoviaShooters.h"

#include <numbers>

#include "base/Random.h"

namespace {

constexpr tower::Character kSovia = tower::Character::Sovia;

constexpr int kMissileRow = 9;
constexpr ShotLook kMissileLook{16.0f, 16.0f, 3.0f, 0.0f};
constexpr float kMissileSpeed = 3.5f;

constexpr int kStarRow = 10;
constexpr ShotLook kStarLook{16.0f, 16.0f, 5.0f, 0.15f};
constexpr float kStarSpeed = 3.0f;
// A star speeds up by this share of its first velocity every frame.
constexpr float kStarAcceleration = 0.03f;
constexpr TowerExplosions::Tint kStarBurstTint{120, 255, 120};

constexpr int kCloudRow = 11;
constexpr ShotLook kCloudLook{16.0f, 16.0f, 3.0f, 0.3f};
constexpr float kCloudSpeed = 2.0f;
constexpr int kCloudFade = 8;
constexpr int kCloudFadeAtTop = 7;

constexpr int kNebulaRow = 12;
constexpr int kStreamShots[tower::kMaxLevel + 1] = {10, 12, 14, 16, 18, 24};
constexpr int kStreamGap[tower::kMaxLevel + 1] = {8, 7, 6, 5, 4, 3};
constexpr float kScatter = std::numbers::pi_v<float> / 8.0f;

}  // namespace

// --- Star Dust Missile -----------------------------------------------------------------------

Sovia_StarDustMissile::Sovia_StarDustMissile(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(kSovia, 3), x, y, BulletRowCells(kMissileRow)) {}

bool Sovia_StarDustMissile::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    if (followUpsLeft_ > 0 && ++sinceShot_ >= kFollowUpGap) {
        --followUpsLeft_;
        sinceShot_ = 0;
        // A follow-up goes at whatever is in range now, and is lost when nothing is.
        CheckWeakening(enemies);
        if (Enemy* candidate = NearestInRange(enemies); candidate != nullptr) {
            Launch(AimedEnemy(*candidate));
            return true;
        }
        return false;
    }
    const Enemy* target = TakeTarget(enemies);
    if (target == nullptr) {
        return false;
    }
    Launch(*target);
    if (level >= tower::kMaxLevel) {
        followUpsLeft_ = kFollowUps;
        sinceShot_ = 0;
    }
    return true;
}

void Sovia_StarDustMissile::Launch(const Enemy& target) {
    AddShot(std::make_unique<StarDustMissileBullet>(), kMissileLook, AngleTo(target.x, target.y), kMissileSpeed);
    Assets().Play("sovia_misile.wav");
}

void Sovia_StarDustMissile::Strike(StarDustMissileBullet& shot, Enemy& enemy, EnemyList& /*enemies*/) {
    shot.fading = true;
    shot.vx *= kSpeedAfterHit;
    shot.vy *= kSpeedAfterHit;
    enemy.Damage(damage, true, false);
}

// --- Spread Star ---------------------------------------------------------------------------

Sovia_SpreadStar::Sovia_SpreadStar(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(kSovia, 4), x, y, BulletRowCells(kStarRow)) {}

bool Sovia_SpreadStar::Fire(EnemyList& enemies, bool running) {
    const std::optional<AimPoint> aim = AimIfReady(enemies, running);
    if (!aim) {
        return false;
    }
    StraightBullet& star = AddShot(std::make_unique<StraightBullet>(), kStarLook, AngleTo(aim->x, aim->y), kStarSpeed);
    star.ax = kStarAcceleration * star.vx;
    star.ay = kStarAcceleration * star.vy;
    // Every star of this tower bursts where it hits.
    star.variant = true;
    Assets().Play("sovia_spread_shot.wav");
    return true;
}

void Sovia_SpreadStar::Strike(StraightBullet& shot, Enemy& enemy, EnemyList& enemies) {
    ShootingTank::Strike(shot, enemy, enemies);
    if (!shot.variant) {
        return;
    }
    const float size = BurstSize(level);
    explosions_.Add(Device(), Assets(), enemy.x, enemy.y, size, kStarBurstTint, "light_wave.png", "ef_circle.png");
    Assets().Play("sovia_spread_bomb.wav");
    DamageAround(enemies, enemy, shot.x, shot.y, size / 3.0f, BlastEdge::Excluded);
}

void Sovia_SpreadStar::UpdateBullets(bool running) {
    ShootingTank::UpdateBullets(running);
    explosions_.Update(Device(), running);
}

// --- Cold Frostfire ------------------------------------------------------------------------

Sovia_Cold::Sovia_Cold(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(kSovia, 5), x, y, BulletRowCells(kCloudRow)) {}

bool Sovia_Cold::Fire(EnemyList& enemies, bool running) {
    const std::optional<AimPoint> aim = AimIfReady(enemies, running);
    if (!aim) {
        return false;
    }
    ColdFrostfireBullet& cloud =
        AddShot(std::make_unique<ColdFrostfireBullet>(), kCloudLook, AngleTo(aim->x, aim->y), kCloudSpeed);
    // The falling alpha is the cloud's clock.
    cloud.alpha = 255;
    cloud.pulseStep = level >= tower::kMaxLevel ? kCloudFadeAtTop : kCloudFade;
    cloud.pulseUp = 0;
    return true;
}

void Sovia_Cold::Strike(ColdFrostfireBullet& shot, Enemy& enemy, EnemyList& enemies) {
    ShootingTank::Strike(shot, enemy, enemies);
    // The ice fairy's own walk ignores these.
    enemy.slowAmount = SlowShare(level) * enemy.speedFactor;
    enemy.slowFrames = kSlowFrames;
}

// --- Nebula --------------------------------------------------------------------------------

Sovia_Nebula::Sovia_Nebula(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(kSovia, 6), x, y, BulletRowCells(kNebulaRow)) {
    OnLevelLoaded();
}

int Sovia_Nebula::StreamShots(int level) { return kStreamShots[level]; }
int Sovia_Nebula::StreamGap(int level) { return kStreamGap[level]; }

void Sovia_Nebula::OnLevelLoaded() {
    // A new stream may start once the last one has had its full time.
    fireInterval = StreamShots(level) * StreamGap(level);
}

bool Sovia_Nebula::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    if (shotsLeft_ > 0) {
        if (++sinceShot_ < StreamGap(level)) {
            return false;
        }
        ShootStream();
        return true;
    }
    const std::optional<AimPoint> aim = TakeAim(enemies);
    if (!aim) {
        return false;
    }
    streamAngle_ = AngleTo(aim->x, aim->y);
    shotsLeft_ = StreamShots(level);
    Assets().Play("sovia_nebula.wav");
    ShootStream();
    return true;
}

void Sovia_Nebula::ShootStream() {
    --shotsLeft_;
    sinceShot_ = 0;
    const float angle =
        streamAngle_ - kScatter + static_cast<float>(Random::Next() % 628) / 100.0f * 0.125f;
    const float column = static_cast<float>(Random::Next() % kColours) / 8.0f;
    const float top = static_cast<float>(kNebulaRow) / 16.0f;
    const float size = 15.0f + 0.5f * static_cast<float>(level);
    StraightBullet& shot = AddShot(std::make_unique<StraightBullet>(), ShotLook{size, size, 3.0f, 0.0f},
                                   BulletCell{column, column + 0.125f, top, top + 0.0625f}, angle, kStartSpeed);
    shot.ax = std::cos(angle) * kAcceleration;
    shot.ay = std::sin(angle) * kAcceleration;
}
