#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "field/FieldArea.h"
#include "field/WalkLoad.h"

namespace field {

class OpenMask;

// 1 = already visited (blocked cells start visited).
using VisitedGrid = std::array<std::uint8_t, kCellCount>;

// Breadth-first search outwards from the exit seeds (already coded and marked visited). Each
// reached cell gets the code pointing back towards the cell it was reached from. Within a layer
// the orthogonal neighbours of the whole queue are taken before any diagonal one, so a cell
// reachable both ways at the same distance is walked orthogonally.
void SearchRoute(const OpenMask& open, std::vector<FieldArea> seeds, WalkLoad::Grid& codes, VisitedGrid& visited);

}  // namespace field
