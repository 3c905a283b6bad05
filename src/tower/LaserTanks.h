#pragma once
#include "bullet/LazerBullet.h"
#include "bullet/TerraRayBullet.h"
#include "tower/ShootingTank.h"

// The second character's laser towers.

// "MirageLazer": every 240 frames (230 at the top level) a laser reaches out to the nearest
// enemy on the ground and follows it for a time that grows with the level. Everything on the
// ground it touches takes a tenth of the damage each frame.
class Sovia_MirageLazer : public ShootingTank<MirageLazerBullet> {
public:
    static constexpr float kHalfWidth = 6.0f;
    static constexpr int kFramesPerDamage = 10;

    Sovia_MirageLazer(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
    void UpdateBullets(bool running) override;
    void HitTest(EnemyList& enemies) override;

    // Frames the laser stays on at a level.
    static int OnFrames(int level) { return 30 + 10 * level; }
    const MirageLazerBullet* Laser() const { return bullets.empty() ? nullptr : bullets.front().get(); }
    float Direction() const { return direction_; }

protected:
    void OnAnimationStart() override { bullets.clear(); }

private:
    void Start(Enemy& target);
    void Follow();
    void Shape();

    EnemyRef target_;
    float direction_ = 0.0f;
    int laserFrame_ = 0;
    int lastHitFrame_ = 0;
    Object2D glow_;
    Object2D smoke_;
};

// "TerraRay": rays at flying enemies only. A ray runs to the field's edge along its target's row
// or column, then fires a beam back across the field that hurts each flying enemy it touches
// once. At most three rays at a time, five at the top level.
class Sovia_TerraRay : public ShootingTank<TerraRayBullet> {
public:
    Sovia_TerraRay(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
    void HitTest(EnemyList& enemies) override;

    static int MaxRays(int level) { return level >= tower::kMaxLevel ? 5 : 3; }
    static constexpr int kRayGap = 5;

private:
    // The first flying enemy in list order inside the range that no ray of this tower chases.
    Enemy* FreeTarget(const EnemyList& enemies) const;
    bool Chased(const Enemy& enemy) const;
};
