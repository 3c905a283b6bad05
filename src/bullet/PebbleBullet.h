#pragma once
#include "bullet/StraightBullet.h"
#include "enemy/EnemyRef.h"

class DirectSound;

// The Pebble Seal's shot: it bursts outward and slows to a halt, then turns once towards its
// target and flies straight on. It follows the target's position until it turns; a target that
// died leaves its last position to fly to. At the turn the player's lock-on target, wherever it
// is, takes precedence.
class PebbleBullet : public StraightBullet {
public:
    // turnSound is shared by every Pebble bullet (may be null); lockOn is the player's lock-on.
    PebbleBullet(DirectSound* turnSound, const EnemyRef& lockOn);

    void Draw(int update) override;

    bool waiting = false;
    int turnDelay = 0;  // running frames before the turn
    EnemyRef target;
    float targetX = 0.0f;
    float targetY = 0.0f;

    static constexpr float kTurnSpeed = 3.0f;

private:
    void Track();
    void Turn();

    DirectSound* turnSound_;
    const EnemyRef& lockOn_;
};
