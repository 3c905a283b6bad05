#pragma once
#include "bullet/PlanetarBullet.h"
#include "object/Object2D.h"
#include "tower/ShootingTank.h"
#include "tower/TowerExplosions.h"

// Planetar: charges bits one by one that circle the tower. A bit that touches an enemy explodes,
// harming the enemies around it. With all its bits charged, the tower lets them fly at the
// player's lock-on target when it is within range; a flying bit passes through enemies, harming
// each once.
class Sovia_Planetar : public ShootingTank<PlanetarBullet> {
public:
    Sovia_Planetar(const TowerContext& context, int x, int y);

    // True in the frame a new bit is made.
    bool Fire(EnemyList& enemies, bool running) override;
    void UpdateBullets(bool running) override;
    void HitTest(EnemyList& enemies) override;
    // Its bits circle it all the time: it shows at work when one explodes.
    bool AtWork() const override { return !explosions_.All().empty(); }

    bool Charging() const { return charging; }
    int ChargeValue() const { return chargeValue; }
    // Every bit that exists: circling, still moving out to its orbit, or launched and in flight.
    // The tower charges and lets its bits fly by this count.
    int Bits() const;
    int OrbitingBits() const;
    const TowerExplosions& Explosions() const { return explosions_; }

    // The most bits that may circle the tower at a level.
    static int MaxBits(int level);
    static constexpr int kFullCharge = 100;
    static constexpr int kChargeDrain = 4;
    static constexpr int kChargeRefill = 2;
    // An exploding bit harms the enemies this close to it.
    static constexpr float kBlastReach = 31.666666f;
    // Bits move out to this orbit, a pixel per frame.
    static constexpr float kOrbitRadius = 30.0f;

private:
    void MakeBit();
    void Explode(PlanetarBullet& bit, Enemy& enemy, EnemyList& enemies);
    void PassThrough(PlanetarBullet& bit, EnemyList& enemies);
    void DrawGlows(int update);

    bool charging = false;
    int chargeValue = 0;
    Object2D chargeGlow_;
    TowerExplosions explosions_;
};
