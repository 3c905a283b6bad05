#pragma once
#include <cstdint>
#include <vector>

#include "object/Object2D.h"

// A fading, shrinking trail behind a moving sprite. The owner sets the velocity, the trail's
// length and sizes and the sprite, and sets stopped when the moving thing ends; the trail then
// fades away on its own.
class Traile {
public:
    struct Point {
        float x, y, size;
        int alpha;
    };

    virtual ~Traile() = default;

    // Sets everything an owner needs in one go: the sprite at the head, velocity, length, sizes.
    void Init(gfx::Device* device, gfx::Texture* texture, float x, float y, float newVx, float newVy,
              int newMaxPoints, float newStartSize, float newShrink);
    void Update(int update);

    // The head moves on its own; the sprite is only a brush that visits every point.
    float headX = 0.0f;
    float headY = 0.0f;
    float vx = 0.0f;  // head velocity per update
    float vy = 0.0f;
    std::vector<Point> points;
    int maxPoints = 0;
    float startSize = 0.0f;
    float shrink = 0.0f;  // not positive: startSize / maxPoints
    Object2D sprite;
    std::uint8_t stopped = 0;

private:
    void Advance();
};
