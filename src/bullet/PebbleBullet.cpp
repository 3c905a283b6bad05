#include "bullet/PebbleBullet.h"

#include "audio/DirectSound.h"
#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"

namespace {

bool Standing(const Enemy* enemy) { return enemy != nullptr && enemy->dead == 0; }

}  // namespace

PebbleBullet::PebbleBullet(DirectSound* turnSound, const EnemyRef& lockOn) : turnSound_(turnSound), lockOn_(lockOn) {}

void PebbleBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        Step();
        ++age;
    } else if (turnSound_ != nullptr) {
        turnSound_->Stop();
    }
    Track();
    if (waiting && age > turnDelay) {
        Turn();
    }
    DrawQuad();
}

void PebbleBullet::Track() {
    const Enemy* enemy = target.Get();
    if (Standing(enemy)) {
        targetX = enemy->x;
        targetY = enemy->y;
    } else {
        target.Reset();
    }
}

void PebbleBullet::Turn() {
    float aimX = targetX;
    float aimY = targetY;
    if (const Enemy* locked = lockOn_.Get(); Standing(locked)) {
        aimX = locked->x;
        aimY = locked->y;
    }
    const bullet::Velocity velocity = bullet::VelocityTowards(x, y, aimX, aimY, kTurnSpeed);
    SetMotion(velocity.vx, velocity.vy, 0.0f, 0.0f);
    SetRotation(velocity.angle - bullet::kQuarterTurn, 0.0f);
    waiting = false;
    if (turnSound_ != nullptr) {
        turnSound_->PlayFromStart();
    }
    target.Reset();
}
