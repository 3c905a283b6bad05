#pragma once
#include "object/Object2D.h"

// A shot that flies in a straight line under a constant velocity and an optional constant
// acceleration. Its tower creates, moves (through Draw), hit-tests and deletes it.
class StraightBullet : public Object2D {
public:
    void SetMotion(float newVx, float newVy, float newAx, float newAy);
    // The sprite's spare float is the hit radius the towers test against.
    void SetHitRadius(float hitRadius) { spare = hitRadius; }
    float HitRadius() const { return spare; }

    // update 1 spins, pulses, scrolls, accelerates and moves, then draws; 0 draws in place.
    void Draw(int update) override;

    bool variant = false;  // a tag the firing tower may set and read back in its hit test
    float vx = 0.0f;
    float vy = 0.0f;
    float ax = 0.0f;
    float ay = 0.0f;
    int age = 0;  // frames drawn

protected:
    // The running part of Draw: velocity first, then the position by the new velocity.
    void Step();
};
