#pragma once
#include <array>

#include "object/Object2D.h"
#include "tower/BaseCharacterTank.h"

// The Lantern: no shots. Once its clock has run out, every frame in which a walking enemy is in
// range adds to a charge; when the charge is full it discharges, harming every walking enemy
// within its range and a little beyond, and may stun each of them. Flying enemies are out of its
// reach.
class Ardel_Lantern : public cBaseCharacterTank {
public:
    Ardel_Lantern(const TowerContext& context, int x, int y);

    void UpdateBullets(bool running) override;
    // True in the frame of a discharge.
    bool Fire(EnemyList& enemies, bool running) override;
    void HitTest(EnemyList& /*enemies*/) override {}
    // While a discharge's glow fades out.
    bool AtWork() const override { return glows_.front().pulseStep != 0; }

    int Charge() const { return charge; }
    int FireCounter() const { return fireCounter; }
    int FireInterval() const { return fireInterval; }
    const Object2D& Glow(int index) const { return glows_[static_cast<std::size_t>(index)]; }

    // A discharge comes once the charge passes this many frames.
    static constexpr int kFullCharge = 10;
    // A discharge reaches this much beyond the range.
    static constexpr int kDischargeReach = 5;
    static constexpr int kStunFrames = 80;
    // The chance, in percent, that a discharge stuns an enemy it hits.
    static int StunPercent(int level);

protected:
    void OnRunningFrame() override { ++fireCounter; }

private:
    bool WalkingEnemyInRange(const EnemyList& enemies) const;
    void Discharge(EnemyList& enemies);

    int fireInterval;
    int fireCounter = 300;
    int charge = 0;
    // A wide soft glow, a flare and a bright core, lit at each discharge.
    std::array<Object2D, 3> glows_;
};
