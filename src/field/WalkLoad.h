#pragma once
#include <array>

#include "field/FieldGrid.h"

namespace field {
class WallGrid;
}

// The direction grids of the two routes: route 0 runs north to south, route 1 west to east.
// Every open cell that reaches the exit holds the code of its next step (field/WalkCodes.h).
class WalkLoad {
public:
    using Grid = std::array<int, field::kCellCount>;

    // Before the first build: route 0 all south, route 1 all east.
    WalkLoad();
    // 2 for every blocked cell, 1 for every open one, on both routes.
    explicit WalkLoad(const field::WallGrid& walls);
    virtual ~WalkLoad() = default;

    int Code(int route, int column, int row) const { return grids[route][field::CellIndex(column, row)]; }
    void SetCode(int route, int column, int row, int code) { grids[route][field::CellIndex(column, row)] = code; }
    // The code under a pixel point (off-grid points read cell (0, 0)).
    int CodeAt(int route, float x, float y) const;

    // Above 0 for a couple of frames after a rebuild: enemies re-aim at cell centres.
    int resteerFrames = 0;
    std::array<Grid, 2> grids;
};
