#include "field/Battlefield.h"

#include <cmath>

#include "field/RouteSearch.h"
#include "field/StageTable.h"
#include "field/WalkCodes.h"

namespace {

struct RouteEnds {
    field::CellPos start;  // where the route's marker stands
    std::array<field::CellPos, 4> exits;
    int exitCode;
};

const std::array<RouteEnds, 2> kRouteEnds{{
    {field::PixelToCell(232, -88), {{{20, 36}, {21, 36}, {22, 36}, {23, 36}}}, field::kWalkSouth},
    {field::PixelToCell(-88, 232), {{{36, 20}, {36, 21}, {36, 22}, {36, 23}}}, field::kWalkEast},
}};

constexpr float kPlotClearance = 20.0f;

}  // namespace

field::CellPos Battlefield::RouteStart(int route) { return kRouteEnds[static_cast<std::size_t>(route)].start; }

Battlefield::Battlefield(int stage, int difficulty)
    : walls_(field::WallGrid::ForStage(stage, field::RouteCountFor(difficulty))),
      routeCount_(field::RouteCountFor(difficulty)),
      splitDepth_(field::SplitDepthFor(difficulty)) {}

bool Battlefield::BuildRoutes() {
    WalkLoad working(walls_);
    if (SearchRoutes(field::OpenMask(walls_), working) != Trial::Open) {
        if (stuckWarning_) {
            stuckWarning_();
        }
        return false;
    }
    walkLoad_.grids = working.grids;
    walkLoad_.resteerFrames = 2;
    return true;
}

Battlefield::Trial Battlefield::TryPlot(int plotX, int plotY, WalkLoad& after) const {
    field::OpenMask open(walls_);
    open.ClosePlot(plotX, plotY);
    after = WalkLoad(walls_);
    for (const field::CellPos& cell : field::PlotFootprint(plotX, plotY)) {
        for (WalkLoad::Grid& grid : after.grids) {
            grid[field::CellIndex(cell.column, cell.row)] = field::kWalkBlocked;
        }
    }
    return SearchRoutes(open, after);
}

Battlefield::Trial Battlefield::SearchRoutes(const field::OpenMask& open, WalkLoad& working) const {
    for (int route = 0; route < 2; ++route) {
        const field::CellPos start = kRouteEnds[route].start;
        working.SetCode(route, start.column, start.row, field::kWalkStop);
    }
    if (HasRoute(0)) {
        if (const Trial trial = SearchAndCheck(open, 0, working); trial != Trial::Open) {
            return trial;
        }
    }
    return SearchAndCheck(open, 1, working);
}

Battlefield::Trial Battlefield::SearchAndCheck(const field::OpenMask& open, int route, WalkLoad& working) const {
    field::VisitedGrid visited{};
    for (int column = 0; column < field::kColumns; ++column) {
        for (int row = 0; row < field::kRows; ++row) {
            visited[field::CellIndex(column, row)] = open.IsOpen(column, row) ? 0 : 1;
        }
    }
    // Keep the search from spilling past the exits along the edge row and column.
    for (int i = 18; i <= 25; ++i) {
        visited[field::CellIndex(i, 37)] = 1;
        visited[field::CellIndex(37, i)] = 1;
    }
    const RouteEnds& ends = kRouteEnds[route];
    std::vector<FieldArea> seeds;
    for (const field::CellPos& exit : ends.exits) {
        visited[field::CellIndex(exit.column, exit.row)] = 1;
        working.SetCode(route, exit.column, exit.row, ends.exitCode);
        seeds.emplace_back(static_cast<std::uint32_t>(exit.column), static_cast<std::uint32_t>(exit.row));
    }
    field::SearchRoute(open, std::move(seeds), working.grids[route], visited);

    if (working.Code(route, ends.start.column, ends.start.row) == field::kWalkStop) {
        return Trial::CutRoute;
    }
    for (const auto& enemy : enemies_) {
        if (enemy->route == route && !enemy->IsFlying() &&
            working.CodeAt(route, enemy->x, enemy->y) == field::kWalkUnreached) {
            return Trial::Strands;
        }
    }
    return Trial::Open;
}

bool Battlefield::PlotRefused(int plotX, int plotY) const {
    if (!walls_.FootprintOpen(plotX, plotY)) {
        return true;
    }
    const auto near = [plotX, plotY](float x, float y) {
        return std::fabs(x - static_cast<float>(plotX)) <= kPlotClearance &&
               std::fabs(y - static_cast<float>(plotY)) <= kPlotClearance;
    };
    for (const auto& enemy : enemies_) {
        if (near(enemy->x, enemy->y)) {
            return true;
        }
        // A child knocked clear of walls lands wherever it was thrown; a tower built there while
        // it flies would hold it inside forever.
        if (enemy->kickFrames > 0 && enemy->kickFree != 0) {
            const Enemy::Point landing = enemy->LandingPoint();
            if (near(landing.x, landing.y)) {
                return true;
            }
        }
    }
    return false;
}

Battlefield::Placement Battlefield::ClosePlotForPlacement(int plotX, int plotY) {
    Placement placement{plotX, plotY, walkLoad_.grids, walkLoad_.resteerFrames};
    ClosePlot(plotX, plotY);
    return placement;
}

void Battlefield::UndoPlacement(const Placement& placement) {
    walls_.SetFootprint(placement.plotX, placement.plotY, false);
    walkLoad_.grids = placement.grids;
    walkLoad_.resteerFrames = 0;
}

void Battlefield::ReopenPlot(int plotX, int plotY) {
    walls_.SetFootprint(plotX, plotY, false);
    for (const field::CellPos& cell : field::PlotFootprint(plotX, plotY)) {
        if (walls_.IsOpen(cell)) {
            walkLoad_.SetCode(0, cell.column, cell.row, field::kWalkSouth);
            walkLoad_.SetCode(1, cell.column, cell.row, field::kWalkEast);
        }
    }
}

void Battlefield::FrameEnemies(int update) {
    // Enemies never read one another, so updating them all before drawing any keeps each
    // enemy's own update-then-draw order.
    UpdateEnemies(update);
    for (auto enemy = enemies_.rbegin(); enemy != enemies_.rend(); ++enemy) {
        (*enemy)->Draw(update);
    }
    for (auto enemy = enemies_.rbegin(); enemy != enemies_.rend(); ++enemy) {
        (*enemy)->DrawOverlay(update);
    }
}

void Battlefield::UpdateEnemies(int update) {
    for (auto enemy = enemies_.rbegin(); enemy != enemies_.rend(); ++enemy) {
        (*enemy)->Update(update);
    }
}

void Battlefield::RemoveFinishedEnemies() {
    std::erase_if(enemies_, [](const std::unique_ptr<Enemy>& enemy) {
        return enemy->alive == 0 && enemy->goneFrames >= 2;
    });
}

void Battlefield::AddEnemy(std::unique_ptr<Enemy> enemy) {
    if (enemy) {
        enemies_.push_back(std::move(enemy));
    }
}
