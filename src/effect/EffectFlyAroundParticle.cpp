#include "effect/EffectFlyAroundParticle.h"

#include <algorithm>
#include <cmath>

#include "base/Random.h"

namespace {

constexpr int kStartAlpha = 200;
constexpr int kFadePerUpdate = 5;
// The effect lingers this many updates after its last particle faded.
constexpr int kLingerUpdates = 10;

int RandomBelow(int modulus) { return modulus > 0 ? Random::Next() % modulus : 0; }

}  // namespace

void EffectFlyAroundParticle::Init(gfx::Device* device, gfx::Texture* texture, float x, float y, int count,
                                   float speedFactor) {
    particles.clear();
    for (int k = 0; k < count; ++k) {
        const float angle = static_cast<float>(Random::Next() % 628) * 0.01f;
        const float speed = static_cast<float>(Random::Next() % 10) * speedFactor;
        particles.push_back(
            Particle{x, y, std::cos(angle) * speed, std::sin(angle) * speed, 255, 255, 255, kStartAlpha});
    }
    sprite.Create(device, texture, x, y, 16.0f, 16.0f);
    sprite.SetAnimation(255, 0, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
}

void EffectFlyAroundParticle::SetPosition(float x, float y) {
    for (Particle& particle : particles) {
        particle.x = x;
        particle.y = y;
    }
}

void EffectFlyAroundParticle::SetRandomColours(int redMod, int greenMod, int blueMod) {
    for (Particle& particle : particles) {
        particle.red = RandomBelow(redMod);
        particle.green = RandomBelow(greenMod);
        particle.blue = RandomBelow(blueMod);
    }
}

void EffectFlyAroundParticle::Update(int update) {
    const bool anyVisible =
        std::any_of(particles.begin(), particles.end(), [](const Particle& p) { return p.alpha > 0; });
    if (!anyVisible && ++doneFrames > kLingerUpdates) {
        alive = 0;
    }
    if (!alive || doneFrames != 0) {
        return;
    }
    for (Particle& particle : particles) {
        if (update) {
            particle.x += particle.vx;
            particle.y += particle.vy;
            particle.alpha = std::max(0, particle.alpha - kFadePerUpdate);
        }
        sprite.x = particle.x;
        sprite.y = particle.y;
        sprite.alpha = particle.alpha;
        sprite.pulseStep = 0;
        sprite.red = particle.red;
        sprite.green = particle.green;
        sprite.blue = particle.blue;
        sprite.Draw(1);
    }
}
