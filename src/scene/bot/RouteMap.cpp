#include "scene/bot/RouteMap.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "field/Battlefield.h"
#include "field/WalkCodes.h"

namespace bot {

namespace {

// Plot centres lie on the corners of the 16-pixel cells, every 32 pixels across the building area.
constexpr int kFirstPlot = 48;
constexpr int kLastPlot = 400;
constexpr int kPlotStep = 32;
// A plot whose ground holds a path cell would block or bend the path.
constexpr int kFootprintReach = 16;

}  // namespace

RouteMap::RouteMap(const Battlefield& field) {
    for (int route = 0; route < 2; ++route) {
        if (!field.HasRoute(route)) {
            continue;
        }
        field::CellPos cell = Battlefield::RouteStart(route);
        // A route never visits a cell twice; the bound only guards a grid in the middle of a change.
        for (int step = 0; step < field::kCellCount; ++step) {
            const int code = field.Routes().Code(route, cell.column, cell.row);
            if (!field::IsMovingCode(code)) {
                break;
            }
            path_.push_back(field::CellCentre(cell.column, cell.row));
            const field::WalkStep next = field::StepOf(code);
            cell = {cell.column + next.dColumn, cell.row + next.dRow};
            if (!field::IsOnGrid(cell.column, cell.row)) {
                break;
            }
        }
    }
}

int RouteMap::Coverage(field::PixelPos plot, int range) const {
    int covered = 0;
    for (const field::PixelPos& cell : path_) {
        const int dx = cell.x - plot.x;
        const int dy = cell.y - plot.y;
        covered += dx * dx + dy * dy < range * range ? 1 : 0;
    }
    return covered;
}

std::vector<field::PixelPos> RouteMap::BesidePath(const Battlefield& field, int range,
                                                  const std::vector<field::PixelPos>& tried) const {
    const auto onPath = [this](field::PixelPos plot) {
        return std::any_of(path_.begin(), path_.end(), [plot](field::PixelPos cell) {
            return std::abs(cell.x - plot.x) < kFootprintReach && std::abs(cell.y - plot.y) < kFootprintReach;
        });
    };
    std::vector<std::pair<int, field::PixelPos>> scored;
    for (const field::PixelPos plot : Plots()) {
        const int coverage = Coverage(plot, range);
        const bool triedBefore = std::find(tried.begin(), tried.end(), plot) != tried.end();
        if (coverage > 0 && !triedBefore && !onPath(plot) && !field.PlotRefused(plot.x, plot.y)) {
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

std::vector<field::PixelPos> RouteMap::Plots() {
    std::vector<field::PixelPos> plots;
    for (int y = kFirstPlot; y <= kLastPlot; y += kPlotStep) {
        for (int x = kFirstPlot; x <= kLastPlot; x += kPlotStep) {
            plots.push_back({x, y});
        }
    }
    return plots;
}

}  // namespace bot
