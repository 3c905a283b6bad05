#pragma once

// The battlefield is a square of 38 x 38 cells of 16 pixels. The grid is larger than the visible
// play area: its outer columns and rows lie off screen and hold the entrance and exit corridors.
namespace field {

constexpr int kColumns = 38;
constexpr int kRows = 38;
constexpr int kCellCount = kColumns * kRows;
constexpr int kCellSize = 16;
// Left (and top) edge of column (row) 0 in screen pixels.
constexpr int kGridOrigin = -128;

struct CellPos {
    int column = 0;
    int row = 0;
    bool operator==(const CellPos&) const = default;
};

struct PixelPos {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPos&) const = default;
};

// Cells are stored column-major: the column is the major index.
constexpr int CellIndex(int column, int row) { return column * kRows + row; }

constexpr bool IsOnGrid(int column, int row) {
    return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}

PixelPos CellCentre(int column, int row);

// The cell whose half-open square holds the point. A point off the grid on either axis maps to
// cell (0, 0), which is always blocked, so a test at a stray position reads as "blocked".
CellPos PixelToCell(int x, int y);
// For float positions: truncated towards zero first, the way enemies and probes are placed.
CellPos PixelToCell(float x, float y);

}  // namespace field
