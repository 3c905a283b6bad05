#pragma once
#include "effect/EffectFlyAroundParticle.h"
#include "effect/Traile.h"
#include "enemy/EnemyRef.h"
#include "field/Battlefield.h"
#include "object/Object.h"
#include "object/Object2D.h"

// A glowing seal with a particle trail. It drifts for 30 frames, then homes in on the nearest
// enemy with a speed that grows by 3 % a frame, and bursts over an area when it touches one.
// The seal is its trail's head; the tower hit-tests that point.
class SunburstBullet : public Object {
public:
    explicit SunburstBullet(const Battlefield::EnemyList& enemies) : enemies_(enemies) {}

    // Puts the seal at (x, y) drifting by (driftX, driftY) a frame; its blast radius is size / 2.
    void Launch(gfx::Device* device, gfx::Texture* trailTexture, gfx::Texture* glowTexture, float x, float y,
                float size, float driftX, float driftY);
    // One of three colour schemes for the trail and the particles, by i mod 3.
    void SetColourScheme(int i);
    // The burst: every enemy in the list within the blast radius takes the damage.
    void Explode(Battlefield::EnemyList& enemies, int damage);
    void Draw(int update) override;

    bool Exploding() const { return exploding_; }
    bool Launched() const { return launched_; }
    float BlastRadius() const { return blastRadius_; }
    // The contact radius: a seal bursts on touching an enemy with its centre.
    float HitRadius() const { return contactRadius_; }
    float Speed() const { return speed_; }

    // The seal's centre, the trail's head.
    float x = 0.0f;
    float y = 0.0f;
    EnemyRef target;

private:
    void Steer();
    void DrawParts(int update);

    bool exploding_ = false;
    Traile trail_;
    EffectFlyAroundParticle burst_;
    Object2D glow_;
    const Battlefield::EnemyList& enemies_;
    int age_ = 0;
    bool launched_ = false;
    float contactRadius_ = 1.0f;
    float blastRadius_ = 0.0f;
    float vx_ = 0.0f;
    float vy_ = 0.0f;
    float ax_ = 0.0f;
    float ay_ = 0.0f;
    float speed_ = 2.0f;
};
