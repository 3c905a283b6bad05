#include "effect/Traile.h"

#include <algorithm>

void Traile::Init(gfx::Device* device, gfx::Texture* texture, float x, float y, float newVx, float newVy,
                  int newMaxPoints, float newStartSize, float newShrink) {
    sprite.Create(device, texture, x, y, newStartSize, newStartSize);
    headX = x;
    headY = y;
    vx = newVx;
    vy = newVy;
    maxPoints = newMaxPoints;
    startSize = newStartSize;
    shrink = newShrink;
    points.clear();
    stopped = 0;
}

void Traile::Advance() {
    if (!stopped) {
        headX += vx;
        headY += vy;
        if (static_cast<int>(points.size()) < maxPoints) {
            points.push_back(Point{headX, headY, startSize, 255});
        }
    }
    // A trail without a length has nothing to spread its fade over: it goes at once.
    const int fade = maxPoints > 0 ? 255 / maxPoints : 255;
    const float shrinkStep = shrink > 0.0f ? shrink : (maxPoints > 0 ? startSize / static_cast<float>(maxPoints) : 0.0f);
    for (Point& point : points) {
        point.alpha -= fade;
        point.size -= shrinkStep;
    }
    points.erase(std::remove_if(points.begin(), points.end(), [](const Point& p) { return p.alpha < 1; }),
                 points.end());
}

void Traile::Update(int update) {
    if (update) {
        Advance();
    }
    for (const Point& point : points) {
        sprite.alpha = point.alpha;
        sprite.pulseStep = 0;
        sprite.x = point.x;
        sprite.y = point.y;
        sprite.SetSize(point.size, point.size);
        sprite.Draw(1);
    }
}
