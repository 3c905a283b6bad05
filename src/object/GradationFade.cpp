#include "object/GradationFade.h"

namespace {

// Corner indices by pattern: the two that lead, then the two that trail.
constexpr int kLeading[4][2] = {{2, 3}, {0, 1}, {0, 3}, {1, 2}};
constexpr int kTrailing[4][2] = {{0, 1}, {2, 3}, {1, 2}, {0, 3}};
// corner[k] colours vertex kVertexOfCorner[k].
constexpr int kVertexOfCorner[4] = {1, 0, 2, 3};
constexpr int kMiddle = 125;

}  // namespace

void GradationFade::Init(gfx::Device* newDevice, int newRed, int newGreen, int newBlue, FadeDirection newDirection,
                         FadePattern newPattern, int speed, int newHold) {
    Create(newDevice, nullptr, 320.0f, 240.0f, 640.0f, 480.0f);
    red = newRed;
    green = newGreen;
    blue = newBlue;
    pattern = newPattern;
    step = 2 * speed;
    hold = newHold;
    Reset(newDirection);
}

void GradationFade::Reset(FadeDirection newDirection) {
    direction = newDirection;
    for (LimitNumber& c : corner) {
        c.Set(direction == FadeDirection::Cover ? 0 : 255, 255, 0);
    }
}

bool GradationFade::Update() {
    DrawCorners();
    return Advance();
}

void GradationFade::DrawCorners() {
    BuildVertices();
    for (int k = 0; k < 4; ++k) {
        vertices[kVertexOfCorner[k]].diffuse = PackColour(corner[k].Get(), red, green, blue);
    }
    DrawQuad();
}

bool GradationFade::Advance() {
    MoveCorners();
    if (!Complete()) {
        return false;
    }
    // Counting stops at 0 so that a fade left standing for a long time cannot wrap around.
    if (hold > 0) {
        --hold;
    }
    return hold <= 0;
}

void GradationFade::MoveCorners() {
    const bool covering = direction == FadeDirection::Cover;
    const int* leading = kLeading[static_cast<int>(pattern)];
    const int* trailing = kTrailing[static_cast<int>(pattern)];
    auto move = [covering](LimitNumber& c, int amount) {
        if (covering) {
            c.Increase(amount);
        } else {
            c.Decrease(amount);
        }
    };
    move(corner[leading[0]], step);
    move(corner[leading[1]], step);
    // The trailing edge moves at half speed until the leading edge is past the middle, then
    // catches up at full speed.
    const int lead = corner[leading[0]].Get();
    const bool pastMiddle = covering ? lead > kMiddle : lead < kMiddle;
    const int trailStep = pastMiddle ? step / 2 + step / 2 : step / 2;
    move(corner[trailing[0]], trailStep);
    move(corner[trailing[1]], trailStep);
}

bool GradationFade::Complete() const {
    const int target = direction == FadeDirection::Cover ? 255 : 0;
    for (const LimitNumber& c : corner) {
        if (c.Get() != target) {
            return false;
        }
    }
    return true;
}
