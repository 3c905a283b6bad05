#pragma once
#include "bullet/StraightBullet.h"
#include "tower/ShootingTank.h"

// The basic tower both characters start with: one straight shot at the nearest enemy in range,
// or at the locked-on enemy when it is in range.
class BasicTank : public ShootingTank<StraightBullet> {
protected:
    BasicTank(const TowerContext& context, tower::Character character, int x, int y, int cellRow);

    // Fires a shot of the given size at the aim point, if there is one.
    bool Shoot(const std::optional<AimPoint>& aim, float size);
};

// The first character's basic tower. Unlike every other shooting tower, its clock counts in
// Fire, so it stops while the tower is built or sold.
class Ardel_TankNormal : public BasicTank {
public:
    Ardel_TankNormal(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;

protected:
    void OnRunningFrame() override {}
};

// The second character's basic tower: its shot grows with its level.
class Sovia_TankNormal : public BasicTank {
public:
    Sovia_TankNormal(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
};
