#include "field/WallGrid.h"

#include "field/OpenMask.h"
#include "field/StageTable.h"

namespace field {

namespace {

struct CellRect {
    int firstColumn, lastColumn, firstRow, lastRow;
};

// The library's bookshelves: blocks of 4 x 4 cells inside the central square.
constexpr std::array<CellRect, 11> kLibraryScenery{{
    {11, 14, 11, 14}, {29, 32, 11, 14}, {17, 20, 12, 15}, {23, 26, 12, 15},
    {14, 17, 20, 23}, {20, 23, 20, 23}, {26, 29, 20, 23}, {17, 20, 28, 31},
    {23, 26, 28, 31}, {11, 14, 29, 32}, {29, 32, 29, 32},
}};

}  // namespace

Footprint PlotFootprint(int plotX, int plotY) {
    return {PixelToCell(plotX - 8, plotY - 8), PixelToCell(plotX + 8, plotY - 8),
            PixelToCell(plotX - 8, plotY + 8), PixelToCell(plotX + 8, plotY + 8)};
}

WallGrid::WallGrid() {
    cells_.reserve(kCellCount);
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            const PixelPos centre = CellCentre(column, row);
            cells_.push_back(std::make_unique<WallObject>(centre.x, centre.y));
        }
    }
}

WallGrid WallGrid::ForStage(int stage, int routeCount) {
    WallGrid grid;
    grid.Fill(10, 33, 10, 33, false);  // the central square
    grid.Fill(1, 9, 19, 24, false);    // west entrance
    grid.Fill(34, 37, 19, 24, false);  // east exit
    if (routeCount == 2) {
        grid.Fill(19, 24, 1, 9, false);    // north entrance
        grid.Fill(19, 24, 34, 37, false);  // south exit
    }
    if (stage == kLibraryStage) {
        for (const CellRect& block : kLibraryScenery) {
            grid.Fill(block.firstColumn, block.lastColumn, block.firstRow, block.lastRow, true);
        }
    }
    return grid;
}

bool WallGrid::IsOpen(int column, int row) const {
    return IsOnGrid(column, row) && Cell(column, row).blocked == 0;
}

void WallGrid::Fill(int firstColumn, int lastColumn, int firstRow, int lastRow, bool blocked) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = firstRow; row <= lastRow; ++row) {
            Cell(column, row).blocked = blocked ? 1 : 0;
        }
    }
}

void WallGrid::SetFootprint(int plotX, int plotY, bool blocked) {
    for (const CellPos& cell : PlotFootprint(plotX, plotY)) {
        // An off-grid plot maps to cell (0, 0); that corner must stay a wall.
        if (!blocked && cell == CellPos{0, 0}) {
            continue;
        }
        Cell(cell.column, cell.row).blocked = blocked ? 1 : 0;
    }
}

bool WallGrid::FootprintOpen(int plotX, int plotY) const {
    for (const CellPos& cell : PlotFootprint(plotX, plotY)) {
        if (!IsOpen(cell)) {
            return false;
        }
    }
    return true;
}

bool WallGrid::CanStep(int direction, int column, int row) const {
    return CanStepAcross(direction, column, row, [this](int c, int r) { return IsOpen(c, r); });
}

}  // namespace field
