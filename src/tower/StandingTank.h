#pragma once
#include "tower/BaseCharacterTank.h"

// A catalogue kind whose attack has not been built yet: it is bought, placed, drawn, upgraded,
// sold and replaced like any tower, with its real figures, but it never fires. The controller's
// factory makes one for every kind that has no class of its own.
class StandingTank : public cBaseCharacterTank {
public:
    StandingTank(const TowerContext& context, tower::Character character, int kind, int x, int y);

    void UpdateBullets(bool running) override;
    bool Fire(EnemyList& enemies, bool running) override;
    void HitTest(EnemyList& enemies) override;
};
