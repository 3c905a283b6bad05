#pragma once
#include <vector>

#include "scene/bot/Strategy.h"

namespace bot {

// The way a new player plays: the basic tower on the plots beside the path that see most of it,
// as many as the points buy; the stage started once nothing more can be bought; then more towers
// while good plots are left, and otherwise upgrades of the weakest tower.
class PlainStrategy : public Strategy {
public:
    void Think(const BattleView& view, Orders& orders) override;

private:
    // Plots already ordered: a placement the field refused (it would cut a route) is not tried
    // again, and a built one is no longer free anyway.
    std::vector<field::PixelPos> tried_;
};

}  // namespace bot
