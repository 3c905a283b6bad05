#pragma once
#include <cstdint>
#include <vector>

#include "object/Object2D.h"

// A spray of particles flying apart from one point and fading out; one 16 x 16 sprite draws them
// all.
class EffectFlyAroundParticle {
public:
    struct Particle {
        float x, y, vx, vy;
        int red, green, blue;
        int alpha;
    };

    virtual ~EffectFlyAroundParticle() = default;

    // Each particle gets a random direction and a speed of 0..9 times speedFactor.
    void Init(gfx::Device* device, gfx::Texture* texture, float x, float y, int count, float speedFactor);
    void SetPosition(float x, float y);
    // Channel = rand() mod the given modulus; a modulus below 1 leaves the channel dark.
    void SetRandomColours(int redMod, int greenMod, int blueMod);
    void Update(int update);

    std::uint8_t alive = 1;
    std::vector<Particle> particles;
    int doneFrames = 0;  // updates since the last particle faded out
    Object2D sprite;
};
