#include "bullet/StarDustMissileBullet.h"

StarDustMissileBullet::StarDustMissileBullet() { fade_.Set(255, 255, 0); }

void StarDustMissileBullet::Draw(int update) {
    if (!alive) {
        return;
    }
    ++age;
    if (update == 1) {
        if (fading) {
            fade_.Decrease(kFadeStep);
            SetSize(width * kSquashWidth, height * kStretchHeight);
            if (fade_.Get() < 1) {
                alive = 0;
            }
        }
        alpha = fade_.Get();
        pulseStep = 0;
        Step();
    }
    // Drawn once more in the frame it fades out.
    DrawQuad();
}
