#pragma once

// A sprite or strip that flies under a constant velocity and an optional constant acceleration.
// Its tower creates, moves (through Draw), hit-tests and deletes it.
template <class Base>
class MovingShot : public Base {
public:
    void SetMotion(float newVx, float newVy, float newAx, float newAy) {
        vx = newVx;
        vy = newVy;
        ax = newAx;
        ay = newAy;
    }

    // update 1 spins, pulses, scrolls, accelerates and moves, then draws; 0 draws in place.
    void Draw(int update) override {
        if (!this->alive) {
            return;
        }
        ++age;
        if (update == 1) {
            Step();
        }
        this->DrawQuad();
    }

    float vx = 0.0f;
    float vy = 0.0f;
    float ax = 0.0f;
    float ay = 0.0f;
    int age = 0;  // frames drawn

protected:
    // The running part of Draw: velocity first, then the position by the new velocity.
    void Step() {
        vx += ax;
        vy += ay;
        this->x += vx;
        this->y += vy;
        this->Animate();
    }
};
