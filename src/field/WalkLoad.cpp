#include "field/WalkLoad.h"

#include "field/WalkCodes.h"
#include "field/WallGrid.h"

WalkLoad::WalkLoad() {
    grids[0].fill(field::kWalkSouth);
    grids[1].fill(field::kWalkEast);
}

WalkLoad::WalkLoad(const field::WallGrid& walls) {
    for (int column = 0; column < field::kColumns; ++column) {
        for (int row = 0; row < field::kRows; ++row) {
            const int code = walls.IsOpen(column, row) ? field::kWalkUnreached : field::kWalkBlocked;
            SetCode(0, column, row, code);
            SetCode(1, column, row, code);
        }
    }
}

int WalkLoad::CodeAt(int route, float x, float y) const {
    const field::CellPos cell = field::PixelToCell(x, y);
    return Code(route, cell.column, cell.row);
}
