#include "bullet/ColdFrostfireBullet.h"

void ColdFrostfireBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    ++age;
    if (update == 1) {
        const auto faded = static_cast<float>(255 - alpha);
        SetSize(width + kSwellPerFade * faded, height + kSwellPerFade * faded);
        SetHitRadius(kFreshHitRadius + kReachPerFade * faded);
        Step();
    }
    if (alpha < 1) {
        alive = 0;
        return;
    }
    DrawQuad();
}
