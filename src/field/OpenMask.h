#pragma once
#include <array>
#include <cstdint>

#include "field/FieldGrid.h"
#include "field/WalkCodes.h"

namespace field {

class WallGrid;

// Whether an enemy may step from (column, row) in a direction code's direction, given which cells
// are open. A diagonal step also needs both orthogonal cells beside it open, so no path cuts a
// wall's corner.
template <typename IsOpen>
bool CanStepAcross(int direction, int column, int row, const IsOpen& isOpen) {
    if (!IsMovingCode(direction)) {
        return false;
    }
    const WalkStep step = StepOf(direction);
    if (!isOpen(column + step.dColumn, row + step.dRow)) {
        return false;
    }
    if (!IsDiagonalCode(direction)) {
        return true;
    }
    return isOpen(column, row + step.dRow) && isOpen(column + step.dColumn, row);
}

// Which cells of a field are open, as a plain copy. Route searches read this, so a layout can be
// tried out without touching the field it was copied from.
class OpenMask {
public:
    explicit OpenMask(const WallGrid& walls);

    // Cells off the grid count as blocked.
    bool IsOpen(int column, int row) const { return IsOnGrid(column, row) && open_[CellIndex(column, row)] != 0; }
    bool CanStep(int direction, int column, int row) const {
        return CanStepAcross(direction, column, row, [this](int c, int r) { return IsOpen(c, r); });
    }
    // Closes the four cells of a tower's plot, as a tower standing there would.
    void ClosePlot(int plotX, int plotY);

private:
    std::array<std::uint8_t, kCellCount> open_;
};

}  // namespace field
