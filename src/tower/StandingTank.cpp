#include "tower/StandingTank.h"

StandingTank::StandingTank(const TowerContext& context, tower::Character character, int kind, int x, int y)
    : cBaseCharacterTank(context, tower::KindTableOf(character, kind), x, y) {}

void StandingTank::UpdateBullets(bool /*running*/) {}

bool StandingTank::Fire(EnemyList& /*enemies*/, bool /*running*/) { return false; }

void StandingTank::HitTest(EnemyList& /*enemies*/) {}
