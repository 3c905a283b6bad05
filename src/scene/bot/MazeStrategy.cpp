#include "scene/bot/MazeStrategy.h"

#include <algorithm>
#include <array>
#include <deque>

#include "scene/bot/BattleView.h"
#include "scene/bot/RouteMap.h"
#include "field/Battlefield.h"
#include "field/WallGrid.h"
#include "tower/TowerTable.h"

namespace bot {

namespace {

constexpr int kTopLevel = 5;
// Walls enough to turn the enemies back and forth across the field; more buy little length.
constexpr std::size_t kMazeTowers = 28;
// The kinds each character adds once the maze stands, in the order they are bought: the ones
// with the strongest fire along a long path first.
constexpr std::array<int, 4> kSpecials[2] = {{8, 4, 6, 2}, {3, 4, 6, 5}};
constexpr int kExitLine = 36;
constexpr int kLockOnEvery = 60;

using OpenGrid = std::array<bool, field::kCellCount>;

OpenGrid OpenCells(const Battlefield& field) {
    OpenGrid open{};
    for (int column = 0; column < field::kColumns; ++column) {
        for (int row = 0; row < field::kRows; ++row) {
            open[field::CellIndex(column, row)] = field.Walls().IsOpen(column, row);
        }
    }
    return open;
}

// Steps from the route's entrance to its exit line over open cells, or -1 when it is cut.
int WalkLength(const OpenGrid& open, int route) {
    const field::CellPos start = Battlefield::RouteStart(route);
    std::array<int, field::kCellCount> steps;
    steps.fill(-1);
    std::deque<field::CellPos> queue{start};
    steps[field::CellIndex(start.column, start.row)] = 0;
    constexpr int kAround[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!queue.empty()) {
        const field::CellPos cell = queue.front();
        queue.pop_front();
        const int here = steps[field::CellIndex(cell.column, cell.row)];
        if ((route == 1 && cell.column == kExitLine) || (route == 0 && cell.row == kExitLine)) {
            return here;
        }
        for (const auto& step : kAround) {
            const field::CellPos next{cell.column + step[0], cell.row + step[1]};
            if (!field::IsOnGrid(next.column, next.row)) {
                continue;
            }
            const int index = field::CellIndex(next.column, next.row);
            if (open[index] && steps[index] < 0) {
                steps[index] = here + 1;
                queue.push_back(next);
            }
        }
    }
    return -1;
}

// The enemies' total walk with the plot built on, or -1 when that would cut a route.
int TotalWalk(const Battlefield& field, OpenGrid open, const field::PixelPos* plot) {
    if (plot != nullptr) {
        for (const field::CellPos& cell : field::PlotFootprint(plot->x, plot->y)) {
            open[field::CellIndex(cell.column, cell.row)] = false;
        }
    }
    int total = 0;
    for (int route = 0; route < 2; ++route) {
        if (!field.HasRoute(route)) {
            continue;
        }
        const int length = WalkLength(open, route);
        if (length < 0) {
            return -1;
        }
        total += length;
    }
    return total;
}

}  // namespace

bool MazeStrategy::Tried(field::PixelPos plot) const {
    return std::find(tried_.begin(), tried_.end(), plot) != tried_.end();
}

void MazeStrategy::Think(const BattleView& view, Orders& orders) {
    if (view.Cleared() || view.Failed() || view.MenuOpen()) {
        return;
    }
    if (!mazeDone_ && LayMaze(view, orders)) {
        return;
    }
    if (mazeDone_ && BuySpecial(view, orders)) {
        return;
    }
    if (Preparing(view, orders)) {
        return;
    }
    if (!UpgradeWeakest(view, orders)) {
        LockOnStrongest(view, orders);
    }
}

bool MazeStrategy::LayMaze(const BattleView& view, Orders& orders) {
    if (view.Towers().size() >= kMazeTowers) {
        mazeDone_ = true;
        return false;
    }
    if (view.Points() < view.Price(tower::kBasicKind)) {
        return false;
    }
    const Battlefield& field = view.Field();
    const OpenGrid open = OpenCells(field);
    const int now = TotalWalk(field, open, nullptr);
    const RouteMap routes(field);
    int bestGain = 0;
    int bestCoverage = 0;
    field::PixelPos best{};
    for (const field::PixelPos plot : RouteMap::Plots()) {
        if (Tried(plot) || !view.PlotFree(plot.x, plot.y)) {
            continue;
        }
        const int walk = TotalWalk(field, open, &plot);
        const int gain = walk - now;
        const int coverage = routes.Coverage(plot, view.Range(tower::kBasicKind));
        if (walk >= 0 && (gain > bestGain || (gain == bestGain && gain > 0 && coverage > bestCoverage))) {
            bestGain = gain;
            bestCoverage = coverage;
            best = plot;
        }
    }
    if (bestGain <= 0) {
        mazeDone_ = true;
        return false;
    }
    tried_.push_back(best);
    orders.Place(tower::kBasicKind, best);
    return true;
}

bool MazeStrategy::BuySpecial(const BattleView& view, Orders& orders) {
    const auto& specials = kSpecials[view.Character() == 0 ? 0 : 1];
    const int kind = specials[nextSpecial_ % specials.size()];
    if (view.Points() < view.Price(kind)) {
        return false;
    }
    // Beside the path where it sees most of it, and never on it: the maze stays as laid.
    const Battlefield& field = view.Field();
    const OpenGrid open = OpenCells(field);
    const int now = TotalWalk(field, open, nullptr);
    const RouteMap routes(field);
    const int range = std::max(view.Range(kind), view.Range(tower::kBasicKind));
    int bestCoverage = 0;
    field::PixelPos best{};
    for (const field::PixelPos plot : RouteMap::Plots()) {
        if (Tried(plot) || !view.PlotFree(plot.x, plot.y) || TotalWalk(field, open, &plot) != now) {
            continue;
        }
        const int coverage = routes.Coverage(plot, range);
        if (coverage > bestCoverage) {
            bestCoverage = coverage;
            best = plot;
        }
    }
    if (bestCoverage == 0) {
        return false;
    }
    tried_.push_back(best);
    ++nextSpecial_;
    orders.Place(kind, best);
    return true;
}

bool MazeStrategy::UpgradeWeakest(const BattleView& view, Orders& orders) const {
    const std::vector<BattleView::TowerSight> towers = view.Towers();
    // Specials before the maze's walls: they carry the damage.
    const auto weaker = [](const BattleView::TowerSight& a, const BattleView::TowerSight& b) {
        const bool aSpecial = a.kind != tower::kBasicKind;
        const bool bSpecial = b.kind != tower::kBasicKind;
        return aSpecial != bSpecial ? aSpecial : a.level < b.level;
    };
    std::vector<BattleView::TowerSight> open;
    std::copy_if(towers.begin(), towers.end(), std::back_inserter(open),
                 [](const auto& tower) { return tower.level < kTopLevel && !tower.busy && tower.upgradeCost > 0; });
    const auto weakest = std::min_element(open.begin(), open.end(), weaker);
    if (weakest == open.end() || view.Points() < weakest->upgradeCost) {
        return false;
    }
    orders.Upgrade({weakest->x, weakest->y});
    return true;
}

void MazeStrategy::LockOnStrongest(const BattleView& view, Orders& orders) {
    // Once a second is enough: the lock holds until the next click in the field.
    if (++idleThoughts_ % kLockOnEvery != 0) {
        return;
    }
    const std::vector<BattleView::EnemySight> enemies = view.Enemies();
    const auto strongest = std::max_element(enemies.begin(), enemies.end(),
                                            [](const auto& a, const auto& b) { return a.health < b.health; });
    if (strongest == enemies.end()) {
        return;
    }
    orders.LockOn({static_cast<int>(strongest->x), static_cast<int>(strongest->y)});
}

}  // namespace bot
