#pragma once
#include "bullet/StraightBullet.h"
#include "tower/ShootingTank.h"
#include "tower/TowerExplosions.h"

// The first character's straight shooters beyond the basic tower.

// Spindle: fast needles on a short clock; at the top level the clock shortens and the range grows.
class Ardel_Spindle : public ShootingTank<StraightBullet> {
public:
    Ardel_Spindle(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
};

// Gale: one wind blade at an ordinary enemy; against a youkai a strong three-way shot whose
// blades burst where they hit, harming every enemy close to the blade.
class Ardel_Gale : public ShootingTank<StraightBullet> {
public:
    Ardel_Gale(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
    void UpdateBullets(bool running) override;

    const TowerExplosions& Explosions() const { return explosions_; }

    // A strong blade's burst reaches enemies this close to the blade.
    static constexpr float kBurstReach = 16.0f;

protected:
    void Strike(StraightBullet& shot, Enemy& enemy, EnemyList& enemies) override;

private:
    TowerExplosions explosions_;
};
