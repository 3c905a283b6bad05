#pragma once
#include <array>
#include <memory>
#include <vector>

#include "field/FieldGrid.h"
#include "field/WallObject.h"

namespace field {

// The four cells under a 32 x 32 tower plot.
using Footprint = std::array<CellPos, 4>;
Footprint PlotFootprint(int plotX, int plotY);

// The field's cells, created blocked and opened by the stage build.
class WallGrid {
public:
    // Every cell blocked, centres set, column by column.
    WallGrid();
    // The stage's field: the central square, the corridors of its routes and its scenery.
    static WallGrid ForStage(int stage, int routeCount);

    WallObject& Cell(int column, int row) { return *cells_[CellIndex(column, row)]; }
    const WallObject& Cell(int column, int row) const { return *cells_[CellIndex(column, row)]; }

    // Cells off the grid count as blocked.
    bool IsOpen(int column, int row) const;
    bool IsOpen(CellPos cell) const { return IsOpen(cell.column, cell.row); }

    // Sets the flag of an inclusive rectangle of cells.
    void Fill(int firstColumn, int lastColumn, int firstRow, int lastRow, bool blocked);
    void SetFootprint(int plotX, int plotY, bool blocked);
    bool FootprintOpen(int plotX, int plotY) const;

    // Whether an enemy may step from (column, row) in a direction code's direction. A diagonal
    // step also needs both orthogonal cells beside it open, so no path cuts a wall's corner.
    bool CanStep(int direction, int column, int row) const;

private:
    std::vector<std::unique_ptr<WallObject>> cells_;
};

}  // namespace field
