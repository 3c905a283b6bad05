#pragma once
#include "bullet/HomingBullet.h"
#include "bullet/SunburstBullet.h"
#include "tower/ShootingTank.h"

// The first character's amulet towers: shots that steer towards the enemies on their own.

// Fires an amulet that follows its target; a wide range, and quicker shots at the top level.
class Ardel_HomingAmulet : public ShootingTank<HomingBullet> {
public:
    Ardel_HomingAmulet(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
};

// Fires an amulet that hits again and again, two hits plus one for every level.
class Ardel_BraskAmulet : public ShootingTank<BraskAmuletBullet> {
public:
    Ardel_BraskAmulet(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
    // Every amulet that touches an enemy and may hit again deals a hit.
    void HitTest(EnemyList& enemies) override;

    // The hits one amulet deals at a level.
    static int HitsAt(int level) { return kFirstHits + level; }

private:
    static constexpr int kFirstHits = 2;
};

// Fires a fan of three seals that drift apart, home in and burst over an area that grows with
// the level.
class Ardel_Sunburst : public ShootingTank<SunburstBullet> {
public:
    Ardel_Sunburst(const TowerContext& context, int x, int y);
    bool Fire(EnemyList& enemies, bool running) override;
    // A seal that touches a live enemy bursts.
    void HitTest(EnemyList& enemies) override;

    static constexpr int kSealsPerShot = 3;
    // A seal's size at a level; its blast reaches half of it.
    static float SealSize(int level) { return 3.0f * static_cast<float>(level) + 42.0f; }
};
