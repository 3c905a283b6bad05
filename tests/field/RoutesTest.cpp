#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "field/Battlefield.h"
#include "field/EnemyFactory.h"
#include "field/WalkCodes.h"

namespace {

constexpr int kEasy = 0;
constexpr int kNormal = 1;

// A field whose stuck warnings are counted.
struct WatchedField {
    explicit WatchedField(int stage, int difficulty) : field(stage, difficulty) {
        field.SetStuckWarning([this] { ++warnings; });
    }

    // A walking enemy standing at the centre of a cell.
    Enemy& Place(EnemyKind kind, int route, int column, int row) {
        const field::PixelPos centre = field::CellCentre(column, row);
        field.Enemies().push_back(field::CreateEnemy(
            kind, {.walkLoad = &field.Routes(), .route = route, .x = centre.x, .y = centre.y, .health = 100}));
        return *field.Enemies().back();
    }

    Battlefield field;
    int warnings = 0;
};

int Code(const Battlefield& field, int route, int column, int row) {
    return field.Routes().Code(route, column, row);
}

}  // namespace

TEST(BuildRoutes, EmptyEasyFieldRoutesEveryOpenCellAndSkipsRouteZero) {
    WatchedField watched(0, kEasy);
    Battlefield& field = watched.field;
    ASSERT_TRUE(field.BuildRoutes());
    EXPECT_EQ(watched.warnings, 0);
    EXPECT_EQ(field.Routes().resteerFrames, 2);

    for (int column = 0; column < field::kColumns; ++column) {
        for (int row = 0; row < field::kRows; ++row) {
            const bool open = field.Walls().IsOpen(column, row);
            const int route1 = Code(field, 1, column, row);
            // The last column and row beside the exits are fenced off from the search.
            const bool fenced = column == 37 || row == 37;
            if (open && !fenced) {
                ASSERT_TRUE(field::IsMovingCode(route1)) << column << "," << row;
            }
            if (!open) {
                ASSERT_EQ(route1, field::kWalkBlocked) << column << "," << row;
            }
            const int route0 = Code(field, 0, column, row);
            if (column == 22 && row == 2) {
                ASSERT_EQ(route0, field::kWalkStop);
            } else {
                ASSERT_EQ(route0, open ? field::kWalkUnreached : field::kWalkBlocked) << column << "," << row;
            }
        }
    }
    EXPECT_EQ(Code(field, 1, 2, 22), field::kWalkEast);
}

TEST(BuildRoutes, OrthogonalStepsWinTiesWithDiagonalOnes) {
    WatchedField watched(0, kEasy);
    ASSERT_TRUE(watched.field.BuildRoutes());
    const Battlefield& field = watched.field;
    // First layer around the exit seeds (36, 20..23).
    EXPECT_EQ(Code(field, 1, 36, 19), field::kWalkSouth);
    EXPECT_EQ(Code(field, 1, 35, 20), field::kWalkEast);
    EXPECT_EQ(Code(field, 1, 35, 19), field::kWalkSouthEast);
    EXPECT_EQ(Code(field, 1, 36, 24), field::kWalkNorth);
    EXPECT_EQ(Code(field, 1, 35, 24), field::kWalkNorthEast);
    // Second layer: both reachable diagonally from an earlier cell of the queue, but the
    // orthogonal pass of the layer comes first.
    EXPECT_EQ(Code(field, 1, 34, 19), field::kWalkEast);
    EXPECT_EQ(Code(field, 1, 34, 20), field::kWalkEast);
}

namespace {

// Plain breadth-first distances from a route's exits, with the same corner rule and the same
// fence along the outer edge, written independently of the search under test.
std::vector<int> ExitDistances(const Battlefield& field, int route) {
    std::vector<int> distance(field::kCellCount, -1);
    std::vector<field::CellPos> queue;
    for (int i = 20; i <= 23; ++i) {
        const field::CellPos seed = route == 0 ? field::CellPos{i, 36} : field::CellPos{36, i};
        distance[field::CellIndex(seed.column, seed.row)] = 0;
        queue.push_back(seed);
    }
    for (std::size_t at = 0; at < queue.size(); ++at) {
        const field::CellPos cell = queue[at];
        for (int code = field::kWalkEast; code <= field::kWalkNorthWest; ++code) {
            const field::WalkStep step = field::StepOf(code);
            const int column = cell.column + step.dColumn;
            const int row = cell.row + step.dRow;
            const bool fenced = (row == 37 && column >= 18 && column <= 25) || (column == 37 && row >= 18 && row <= 25);
            if (fenced || !field.CanStep(code, cell.column, cell.row) ||
                distance[field::CellIndex(column, row)] >= 0) {
                continue;
            }
            distance[field::CellIndex(column, row)] = distance[field::CellIndex(cell.column, cell.row)] + 1;
            queue.push_back({column, row});
        }
    }
    return distance;
}

// Every routed cell steps to a cell one closer to the exit, and diagonally only when no
// orthogonal neighbour is one closer.
void ExpectShortestStepsPreferringOrthogonal(const Battlefield& field, int route) {
    const std::vector<int> distance = ExitDistances(field, route);
    for (int column = 1; column < field::kColumns - 1; ++column) {
        for (int row = 1; row < field::kRows - 1; ++row) {
            const int here = distance[field::CellIndex(column, row)];
            if (here <= 0) {
                continue;
            }
            const int code = Code(field, route, column, row);
            ASSERT_TRUE(field::IsMovingCode(code)) << column << "," << row;
            const field::WalkStep step = field::StepOf(code);
            ASSERT_EQ(distance[field::CellIndex(column + step.dColumn, row + step.dRow)], here - 1);
            bool orthogonalCloser = false;
            for (int orthogonal = field::kWalkEast; orthogonal <= field::kWalkNorth; ++orthogonal) {
                const field::WalkStep o = field::StepOf(orthogonal);
                const int there = distance[field::CellIndex(column + o.dColumn, row + o.dRow)];
                orthogonalCloser = orthogonalCloser || (there == here - 1 && field.Walls().IsOpen(column, row));
            }
            ASSERT_EQ(field::IsDiagonalCode(code), !orthogonalCloser) << column << "," << row;
        }
    }
}

}  // namespace

TEST(BuildRoutes, EveryCellTakesAShortestStepAndOrthogonalOnTies) {
    WatchedField library(1, kNormal);
    library.field.ClosePlot(304, 240);
    ASSERT_TRUE(library.field.BuildRoutes());
    ExpectShortestStepsPreferringOrthogonal(library.field, 0);
    ExpectShortestStepsPreferringOrthogonal(library.field, 1);
}

TEST(BuildRoutes, ClosedColumnCutsTheRouteAndKeepsTheOldGrids) {
    WatchedField watched(0, kEasy);
    Battlefield& field = watched.field;
    ASSERT_TRUE(field.BuildRoutes());
    const WalkLoad before = field.Routes();
    field.Routes().resteerFrames = 0;

    field.Walls().Fill(20, 20, 10, 33, true);
    EXPECT_FALSE(field.BuildRoutes());
    EXPECT_EQ(watched.warnings, 1);
    EXPECT_EQ(field.Routes().grids, before.grids);
    EXPECT_EQ(field.Routes().resteerFrames, 0);
}

TEST(BuildRoutes, OneCellGapStaysOpenButCornersDoNotLetEnemiesThrough) {
    WatchedField gap(0, kEasy);
    gap.field.Walls().Fill(20, 20, 10, 33, true);
    gap.field.Walls().Cell(20, 21).blocked = 0;
    ASSERT_TRUE(gap.field.BuildRoutes());
    EXPECT_EQ(Code(gap.field, 1, 20, 21), field::kWalkEast);
    EXPECT_EQ(Code(gap.field, 1, 19, 21), field::kWalkEast);

    // Two walls that touch only at the corner of (20, 21) and (21, 22).
    WatchedField corner(0, kEasy);
    corner.field.Walls().Fill(20, 20, 10, 21, true);
    corner.field.Walls().Fill(21, 21, 22, 33, true);
    EXPECT_FALSE(corner.field.CanStep(field::kWalkNorthEast, 20, 22));
    EXPECT_TRUE(corner.field.CanStep(field::kWalkNorthEast, 18, 22));
    EXPECT_FALSE(corner.field.BuildRoutes());
    EXPECT_EQ(corner.warnings, 1);
}

TEST(BuildRoutes, AWalkerShutInAPocketIsStrandedButAFlyerIsNot) {
    WatchedField walker(0, kEasy);
    walker.field.Walls().Fill(14, 16, 14, 16, true);
    walker.field.Walls().Cell(15, 15).blocked = 0;
    walker.Place(EnemyKind::RedFairy, 1, 15, 15);
    EXPECT_FALSE(walker.field.BuildRoutes());
    EXPECT_EQ(walker.warnings, 1);

    // The same pocket does not matter to a route-0 walker on a route-1-only field's grid 1.
    WatchedField flyer(0, kEasy);
    flyer.field.Walls().Fill(14, 16, 14, 16, true);
    flyer.field.Walls().Cell(15, 15).blocked = 0;
    flyer.Place(EnemyKind::Vernie, 1, 15, 15);
    EXPECT_TRUE(flyer.field.BuildRoutes());
    EXPECT_EQ(Code(flyer.field, 1, 15, 15), field::kWalkUnreached);
}

TEST(BuildRoutes, AStrandedRouteZeroWalkerRefusesTheLayoutOnTwoRouteFields) {
    WatchedField watched(0, kNormal);
    watched.field.Walls().Fill(14, 16, 14, 16, true);
    watched.field.Walls().Cell(15, 15).blocked = 0;
    watched.Place(EnemyKind::BlueFairy, 0, 15, 15);
    EXPECT_FALSE(watched.field.BuildRoutes());
}

TEST(Placement, RefusesBlockedFootprintsAndPlotsOverEnemies) {
    WatchedField watched(0, kEasy);
    Battlefield& field = watched.field;
    EXPECT_FALSE(field.PlotRefused(200, 200));
    Enemy& enemy = watched.Place(EnemyKind::RedFairy, 1, 20, 20);  // centre (200, 200)
    enemy.x = 220.0f;
    enemy.y = 180.0f;
    EXPECT_TRUE(field.PlotRefused(200, 200));
    enemy.x = 220.5f;
    EXPECT_FALSE(field.PlotRefused(200, 200));

    field.ClosePlot(96, 96);
    EXPECT_TRUE(field.PlotRefused(96, 96));
    EXPECT_TRUE(field.PlotRefused(112, 112));  // overlaps one cell
    ASSERT_TRUE(field.BuildRoutes());
    EXPECT_EQ(Code(field, 1, 14, 14), field::kWalkBlocked);
    field.ReopenPlot(96, 96);
    EXPECT_FALSE(field.PlotRefused(96, 96));
    EXPECT_EQ(Code(field, 0, 14, 14), field::kWalkSouth);
    EXPECT_EQ(Code(field, 1, 14, 14), field::kWalkEast);
}

TEST(Placement, UndoRestoresTheCellsAndEveryCodeExactly) {
    WatchedField watched(0, 2);
    Battlefield& field = watched.field;
    ASSERT_TRUE(field.BuildRoutes());
    field.Routes().resteerFrames = 1;
    const auto before = field.Routes().grids;
    ASSERT_FALSE(field.PlotRefused(208, 208));

    // A plot that routes around fine: the rebuild changes codes, and the undo takes them back.
    const Battlefield::Placement trial = field.ClosePlotForPlacement(208, 208);
    EXPECT_TRUE(field.PlotRefused(208, 208));
    ASSERT_TRUE(field.BuildRoutes());
    EXPECT_NE(field.Routes().grids, before);
    field.UndoPlacement(trial);
    EXPECT_EQ(field.Routes().grids, before);
    EXPECT_EQ(field.Routes().resteerFrames, 0);
    EXPECT_FALSE(field.PlotRefused(208, 208));
    // Reopening the plot is no undo: the codes the rebuild gave the cells around it stay.
    field.ClosePlot(208, 208);
    ASSERT_TRUE(field.BuildRoutes());
    field.ReopenPlot(208, 208);
    EXPECT_NE(field.Routes().grids, before);
}

TEST(Placement, AFurballInTheAirCountsWhereItWillLand) {
    WatchedField watched(0, kEasy);
    Battlefield& field = watched.field;
    ASSERT_TRUE(field.BuildRoutes());
    Enemy& child = watched.Place(EnemyKind::Furball, 1, 10, 22);  // far from the plot below
    child.kickVx = 5.0f;
    child.kickVy = 0.0f;
    child.kickFrames = 30;
    child.kickFree = 1;
    const Enemy::Point landing = child.LandingPoint();
    EXPECT_NEAR(landing.x, child.x + 5.0f * (1.0f - std::pow(0.85f, 30.0f)) / 0.15f, 0.01f);
    const int plotX = 16 * static_cast<int>(std::lround(landing.x / 16.0f));
    const int plotY = 16 * static_cast<int>(std::lround(landing.y / 16.0f));
    ASSERT_GT(std::fabs(child.x - static_cast<float>(plotX)), 20.0f);
    EXPECT_TRUE(field.PlotRefused(plotX, plotY));

    // Walls stop a knockback that is not free, so then only where it stands counts.
    child.kickFree = 0;
    EXPECT_FALSE(field.PlotRefused(plotX, plotY));
}
