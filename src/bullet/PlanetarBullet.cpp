#include "bullet/PlanetarBullet.h"

#include <algorithm>
#include <cmath>

#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"

namespace {

constexpr float kRadiansPerDegree = 0.01745329f;

}  // namespace

PlanetarBullet::PlanetarBullet(float cx, float cy, const EnemyRef& lockOn)
    : centreX(cx), centreY(cy), lockOn_(lockOn) {}

void PlanetarBullet::SetOrbitAngle(int degrees) {
    if (launched) {
        return;
    }
    orbitAngle.Set(degrees, 360, 0);
    orbitAngle.wrap = 1;
}

void PlanetarBullet::SetOrbitRadius(float radius) {
    if (!launched) {
        orbitRadius = radius;
    }
}

bool PlanetarBullet::HasHit(const Enemy& enemy) const {
    return std::any_of(hitEnemies.begin(), hitEnemies.end(), [&](const EnemyRef& hit) { return hit.Is(&enemy); });
}

void PlanetarBullet::MarkHit(const Enemy& enemy) { hitEnemies.push_back(enemy.Ref()); }

void PlanetarBullet::TuneTrail(const TrailLook& look) {
    trail.maxPoints = look.points;
    trail.startSize = look.size;
    trail.sprite.red = look.brightness;
    trail.sprite.green = look.brightness;
    trail.sprite.blue = look.brightness;
}

void PlanetarBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    ++age;
    if (update == 1) {
        Orbit();
        StepPulse();
        StepScroll();
        vx += ax;
        vy += ay;
        centreX += vx;
        centreY += vy;
        TryLaunch();
        BuildVertices();
    }
    DrawQuad();
}

void PlanetarBullet::Orbit() {
    const float theta = static_cast<float>(orbitAngle.Get()) * kRadiansPerDegree;
    x = centreX + std::cos(theta) * orbitRadius;
    y = centreY + std::sin(theta) * orbitRadius;
    orbitAngle.Increase(kDegreesPerFrame);
}

void PlanetarBullet::TryLaunch() {
    const Enemy* target = lockOn_.Get();
    if (!launchAllowed || launched || target == nullptr || target->dead != 0 || orbitRadius < kLaunchRadius ||
        bullet::Distance(centreX, centreY, target->x, target->y) >= static_cast<float>(launchRange)) {
        return;
    }
    const bullet::Velocity velocity = bullet::VelocityTowards(centreX, centreY, target->x, target->y, kLaunchSpeed);
    SetMotion(velocity.vx, velocity.vy, 0.0f, 0.0f);
    launched = true;
    TuneTrail(kFlightTrail);
}
