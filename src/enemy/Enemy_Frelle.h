#pragma once
#include "enemy/Enemy.h"
#include "object/Object2D.h"

// The ice fairy: slowing does not touch her, and when the routes change under her feet she may
// stop, confused, looking around for a while before walking on.
class Enemy_Frelle : public Enemy {
public:
    explicit Enemy_Frelle(const EnemySpawn& spawn);

    // Her confusion counts down even while the field is frozen.
    void Update(int update) override;
    void Draw(int update) override;
    void ConfusedStep() override;
    void OnRouteChange(int code) override;

    // The route code she last reacted to.
    int lastCode = 0;
    // The question mark over her head while she is confused.
    Object2D mark;

protected:
    double SpeedThisFrame() override { return speedFactor; }
    void Travel(double speed) override;

private:
    // The mark shows in every frame that ran a step of her confusion, the last one included.
    bool confusedThisFrame_ = false;
};
