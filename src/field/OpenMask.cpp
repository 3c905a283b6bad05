#include "field/OpenMask.h"

#include "field/WallGrid.h"

namespace field {

OpenMask::OpenMask(const WallGrid& walls) {
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            open_[CellIndex(column, row)] = walls.Cell(column, row).blocked == 0 ? 1 : 0;
        }
    }
}

void OpenMask::ClosePlot(int plotX, int plotY) {
    for (const CellPos& cell : PlotFootprint(plotX, plotY)) {
        open_[CellIndex(cell.column, cell.row)] = 0;
    }
}

}  // namespace field
