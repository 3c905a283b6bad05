#include "field/FieldGrid.h"

namespace field {

PixelPos CellCentre(int column, int row) {
    return {kCellSize * column - 120, kCellSize * row - 120};
}

CellPos PixelToCell(int x, int y) {
    const int gridEnd = kGridOrigin + kCellSize * kColumns;
    if (x < kGridOrigin || x >= gridEnd || y < kGridOrigin || y >= gridEnd) {
        return {0, 0};
    }
    return {(x - kGridOrigin) / kCellSize, (y - kGridOrigin) / kCellSize};
}

CellPos PixelToCell(float x, float y) {
    // Anything this far out is off the grid anyway; the guard keeps the conversion defined.
    constexpr float kFar = 1.0e6f;
    if (!(x > -kFar && x < kFar && y > -kFar && y < kFar)) {
        return {0, 0};
    }
    return PixelToCell(static_cast<int>(x), static_cast<int>(y));
}

}  // namespace field
