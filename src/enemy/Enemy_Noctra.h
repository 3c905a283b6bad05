#pragma once
#include "enemy/Enemy.h"

// The darkness: spreads a growing black shadow over everything on the field while she lives,
// and the shadow shrinks away after her death.
class Enemy_Noctra : public Enemy {
public:
    Enemy_Noctra(gfx::Device* device, int health, std::uint32_t reward, int route, int x, int y, WalkLoad* load,
                 int level, bool big);

    bool IsYoukai() const override { return true; }
    void DrawOverlay(int update) override;

    int ShadowSize() const { return shadowSize_; }
    int ShadowAlpha() const { return shadowAlpha_; }
    int MaxShadowSize() const { return maxShadowSize_; }
    int MaxShadowAlpha() const { return maxShadowAlpha_; }

protected:
    void OnRunningFrame() override;

private:
    int shadowSize_ = 0;
    int shadowAlpha_ = 0;
    int maxShadowSize_;
    int maxShadowAlpha_;
};
