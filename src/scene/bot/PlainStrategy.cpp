#include "scene/bot/PlainStrategy.h"

#include <algorithm>

#include "scene/bot/BattleView.h"
#include "scene/bot/RouteMap.h"
#include "tower/TowerTable.h"

namespace bot {

namespace {

constexpr int kTopLevel = 5;
// Past this many towers the points go into upgrades: a top-level basic tower hits far harder
// than the few plots left that still see the path.
constexpr std::size_t kEnoughTowers = 16;
}  // namespace

void PlainStrategy::Think(const BattleView& view, Orders& orders) {
    if (view.Cleared() || view.Failed() || view.MenuOpen()) {
        return;
    }
    const std::vector<BattleView::TowerSight> towers = view.Towers();
    const bool canBuy = view.Points() >= view.Price(tower::kBasicKind);
    if (canBuy && towers.size() < kEnoughTowers) {
        const std::vector<field::PixelPos> plots =
            RouteMap(view.Field()).BesidePath(view.Field(), view.Range(tower::kBasicKind), tried_);
        if (!plots.empty()) {
            tried_.push_back(plots.front());
            orders.Place(tower::kBasicKind, plots.front());
            return;
        }
    }
    if (Preparing(view, orders)) {
        return;
    }
    const auto weakest = std::min_element(towers.begin(), towers.end(), [](const auto& a, const auto& b) {
        return a.level < b.level;
    });
    if (weakest != towers.end() && weakest->level < kTopLevel && !weakest->busy &&
        view.Points() >= weakest->upgradeCost) {
        orders.Upgrade({weakest->x, weakest->y});
    }
}

}  // namespace bot
