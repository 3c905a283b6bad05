#include "bullet/StraightBullet.h"

void StraightBullet::SetMotion(float newVx, float newVy, float newAx, float newAy) {
    vx = newVx;
    vy = newVy;
    ax = newAx;
    ay = newAy;
}

void StraightBullet::Step() {
    angle += spin;
    StepPulse();
    StepScroll();
    vx += ax;
    vy += ay;
    x += vx;
    y += vy;
    BuildVertices();
}

void StraightBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    ++age;
    if (update == 1) {
        Step();
    }
    DrawQuad();
}
