#include "scene/bot/PlainStrategy.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "scene/bot/BattleView.h"
#include "scene/bot/RouteMap.h"

namespace bot {

namespace {

constexpr int kBasicKind = 1;
constexpr int kTopLevel = 5;
// Past this many towers the points go into upgrades: a top-level basic tower hits far harder
// than the few plots left that still see the path.
constexpr std::size_t kEnoughTowers = 16;
// A plot whose ground holds a path cell would block or bend the path.
constexpr int kFootprintReach = 16;

bool OnPath(const RouteMap& routes, field::PixelPos plot) {
    return std::any_of(routes.Path().begin(), routes.Path().end(), [plot](field::PixelPos cell) {
        return std::abs(cell.x - plot.x) < kFootprintReach && std::abs(cell.y - plot.y) < kFootprintReach;
    });
}

}  // namespace

std::vector<field::PixelPos> PlainStrategy::FreePlots(const BattleView& view) const {
    const RouteMap routes(view.Field());
    const int range = view.Range(kBasicKind);
    std::vector<std::pair<int, field::PixelPos>> scored;
    for (const field::PixelPos plot : RouteMap::Plots()) {
        const int coverage = routes.Coverage(plot, range);
        const bool tried = std::find(tried_.begin(), tried_.end(), plot) != tried_.end();
        if (coverage > 0 && !tried && !OnPath(routes, plot) && view.PlotFree(plot.x, plot.y)) {
            scored.emplace_back(coverage, plot);
        }
    }
    std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<field::PixelPos> plots;
    for (const auto& entry : scored) {
        plots.push_back(entry.second);
    }
    return plots;
}

void PlainStrategy::Think(const BattleView& view, Orders& orders) {
    if (view.Cleared() || view.Failed() || view.MenuOpen()) {
        return;
    }
    const std::vector<BattleView::TowerSight> towers = view.Towers();
    const bool canBuy = view.Points() >= view.Price(kBasicKind);
    if (canBuy && towers.size() < kEnoughTowers) {
        const std::vector<field::PixelPos> plots = FreePlots(view);
        if (!plots.empty()) {
            tried_.push_back(plots.front());
            orders.Place(kBasicKind, plots.front());
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
