#pragma once
#include "bullet/PebbleBullet.h"
#include "tower/ShootingTank.h"

// The Pebble Seal: once an enemy is in range it arms a sequence of volleys. Each volley bursts a
// ring of seals outward; they halt, then converge on the enemy chosen at the volley (or on the
// player's lock-on target). From level 3 a second, smaller volley follows 35 frames after the
// first, but only while an enemy is still in range.
class Ardel_Pebble : public ShootingTank<PebbleBullet> {
public:
    Ardel_Pebble(const TowerContext& context, int x, int y);

    bool Fire(EnemyList& enemies, bool running) override;
    // Several seals may hit the same enemy in one frame.
    void HitTest(EnemyList& enemies) override;

    int VolleyTick() const { return volleyTick; }
    bool VolleyArmed() const { return volleyArmed; }

    // Frames after arming at which the two volleys fall due; past the last the sequence ends.
    static constexpr int kFirstVolleyTick = 5;
    static constexpr int kSecondVolleyTick = 40;
    // Seals in the first and second volley at a level; 0 = no second volley.
    static int FirstVolley(int level);
    static int SecondVolley(int level);

protected:
    void OnRunningFrame() override;
    void OnAnimationStart() override { volleyArmed = false; }

private:
    void EndSequence();
    void Volley(int count, const Enemy& candidate);
    const Enemy& SealTarget(const Enemy& candidate) const;

    int volleyTick = 0;
    bool volleyArmed = false;
};
