#pragma once
#include "bullet/ColdFrostfireBullet.h"
#include "bullet/StarDustMissileBullet.h"
#include "bullet/StraightBullet.h"
#include "tower/ShootingTank.h"
#include "tower/TowerExplosions.h"

// The second character's straight shooters beyond the basic tower.

// Star Dust Missile: a heavy missile that hits once, then squashes and fades as it drifts on. At
// the top level each shot is followed by two more.
class Sovia_StarDustMissile : public ShootingTank<StarDustMissileBullet> {
public:
    Sovia_StarDustMissile(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;

    // At the top level a shot is followed by this many more, this many frames apart.
    static constexpr int kFollowUps = 2;
    static constexpr int kFollowUpGap = 6;
    // A missile that hit slows to this share of its speed.
    static constexpr float kSpeedAfterHit = 0.2f;

protected:
    bool CanStrike(const StarDustMissileBullet& shot) const override { return shot.alive != 0 && !shot.fading; }
    void Strike(StarDustMissileBullet& shot, Enemy& enemy, EnemyList& enemies) override;

private:
    void Launch(const Enemy& target);

    int followUpsLeft_ = 0;
    int sinceShot_ = 0;
};

// Spread Star: a star that bursts where it hits, harming every enemy near the burst; the burst
// grows with the level.
class Sovia_SpreadStar : public ShootingTank<StraightBullet> {
public:
    Sovia_SpreadStar(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
    void UpdateBullets(bool running) override;

    const TowerExplosions& Explosions() const { return explosions_; }
    // The burst's size at a level; enemies closer than a third of it to the star are harmed.
    static float BurstSize(int level) { return 80.0f + 5.0f * static_cast<float>(level); }

protected:
    void Strike(StraightBullet& shot, Enemy& enemy, EnemyList& enemies) override;

private:
    TowerExplosions explosions_;
};

// Cold Frostfire: a stream of frost clouds that slow what they touch, more with each level. The
// ice fairy does not slow down.
class Sovia_Cold : public ShootingTank<ColdFrostfireBullet> {
public:
    Sovia_Cold(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;

    static constexpr int kSlowFrames = 30;
    // The share of an enemy's own speed that a hit takes away at a level.
    static double SlowShare(int level) { return (level + 3) * 0.05; }

protected:
    void Strike(ColdFrostfireBullet& shot, Enemy& enemy, EnemyList& enemies) override;
};

// Nebula: once a target is found the direction to it is fixed and a stream of slow-starting,
// scattered shots follows in that direction, one every few frames; longer and faster streams with
// each level.
class Sovia_Nebula : public ShootingTank<StraightBullet> {
public:
    Sovia_Nebula(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;

    // Shots per stream and frames between them at a level.
    static int StreamShots(int level);
    static int StreamGap(int level);
    bool Streaming() const { return shotsLeft_ > 0; }

    static constexpr float kStartSpeed = 0.15f;
    // The shots speed up along their way by this much per frame.
    static constexpr float kAcceleration = 0.05f;
    static constexpr int kColours = 7;

protected:
    void OnLevelLoaded() override;
    void OnAnimationStart() override { shotsLeft_ = 0; }

private:
    void ShootStream();

    float streamAngle_ = 0.0f;
    int shotsLeft_ = 0;
    int sinceShot_ = 0;
};
