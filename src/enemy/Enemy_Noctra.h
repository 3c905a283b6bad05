#pragma once
#include "enemy/Enemy.h"
#include "object/LimitNumber.h"
#include "object/Object2D.h"

// The darkness: spreads a growing black shadow over everything on the field while she lives,
// and the shadow shrinks away after her death.
class Enemy_Noctra : public Enemy {
public:
    explicit Enemy_Noctra(const EnemySpawn& spawn);

    bool IsYoukai() const override { return true; }
    void DrawOverlay(int update) override;

    Object2D shadow;
    LimitNumber shadowSize;
    LimitNumber shadowAlpha;

protected:
    void OnRunningFrame() override;
};
