#pragma once
#include <vector>

#include "scene/bot/Strategy.h"

namespace bot {

// The way a seasoned player plays: cheap basic towers laid where they lengthen the enemies' walk
// most (the field re-routes around them), the character's special towers beside the long path,
// upgrades, and the towers' fire locked on the strongest enemy.
class MazeStrategy : public Strategy {
public:
    void Think(const BattleView& view, Orders& orders) override;

private:
    bool LayMaze(const BattleView& view, Orders& orders);
    bool BuySpecial(const BattleView& view, Orders& orders);
    bool UpgradeWeakest(const BattleView& view, Orders& orders) const;
    void LockOnStrongest(const BattleView& view, Orders& orders);
    bool Tried(field::PixelPos plot) const;

    bool mazeDone_ = false;
    std::size_t nextSpecial_ = 0;
    int idleThoughts_ = 0;
    std::vector<field::PixelPos> tried_;
};

}  // namespace bot
