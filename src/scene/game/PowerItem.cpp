#include "scene/game/PowerItem.h"

#include <cmath>

#include "base/Random.h"
#include "resource/FileClass.h"

namespace {

float SideFor(int sizeClass) {
    switch (sizeClass) {
    case 4: return 12.0f;
    case 16: return 16.0f;
    default: return 8.0f;
    }
}

bool Arrived(float x, float y) {
    return x >= PowerItem::kTargetX - 5.0f && x < PowerItem::kTargetX + 5.0f && y >= PowerItem::kTargetY - 5.0f &&
           y < PowerItem::kTargetY + 5.0f;
}

}  // namespace

PowerItem::PowerItem(gfx::Device* newDevice, float x, float y, int sizeClass)
    : sizeClass_(sizeClass), x_(x), y_(y), side_(SideFor(sizeClass)) {
    static gfx::Texture* const shared = g_FileClass.FindTexture("p.png");
    device = newDevice;
    texture = shared;
    ownsTexture = 0;
    ResetVertices();
    // Four draws in turn, so a drop always costs the generator the same; the third is unused.
    const int n1 = Random::Next();
    const int n2 = Random::Next();
    Random::Next();
    const int n4 = Random::Next();
    const int dx = (n1 % 2 == 0) ? -(n1 % 10) : n2 % 4;
    x_ += static_cast<float>(2 * dx);
    y_ += static_cast<float>(3 * (n4 % 6));
    BuildQuad();
}

void PowerItem::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        Step();
        BuildQuad();
    }
    DrawQuad();
}

void PowerItem::Step() {
    if (phase_ < 0.0f) {
        // Pops up, slowing down, for about thirty frames.
        y_ += phase_;
        phase_ += 0.1f;
    } else {
        const float angle = std::atan2(kTargetY - y_, kTargetX - x_);
        x_ += std::cos(angle) * kFlightSpeed;
        y_ += std::sin(angle) * kFlightSpeed;
    }
    if (Arrived(x_, y_)) {
        alive = 0;
    }
}

void PowerItem::BuildQuad() {
    const float half = side_ * 0.5f;
    const float xs[4] = {x_ - half, x_ + half, x_ - half, x_ + half};
    const float ys[4] = {y_ - half, y_ - half, y_ + half, y_ + half};
    for (int k = 0; k < 4; ++k) {
        vertices[k].x = xs[k];
        vertices[k].y = ys[k];
    }
}

std::vector<int> ItemValuesFor(int reward) {
    std::vector<int> values;
    for (const int value : {16, 4, 1}) {
        for (; reward >= value; reward -= value) {
            values.push_back(value);
        }
    }
    return values;
}
