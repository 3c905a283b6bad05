#include "field/RouteSearch.h"

#include "field/WalkCodes.h"
#include "field/OpenMask.h"

namespace field {

namespace {

// A direction to look in from a queued cell, and the code the found cell gets (the opposite).
struct Probe {
    int direction;
    int backCode;
};

constexpr std::array<Probe, 4> kOrthogonal{{
    {kWalkNorth, kWalkSouth}, {kWalkEast, kWalkWest}, {kWalkSouth, kWalkNorth}, {kWalkWest, kWalkEast},
}};
constexpr std::array<Probe, 4> kDiagonal{{
    {kWalkNorthEast, kWalkSouthWest}, {kWalkSouthEast, kWalkNorthWest},
    {kWalkSouthWest, kWalkNorthEast}, {kWalkNorthWest, kWalkSouthEast},
}};

void Expand(const OpenMask& open, const std::vector<FieldArea>& current, const std::array<Probe, 4>& probes,
            WalkLoad::Grid& codes, VisitedGrid& visited, std::vector<FieldArea>& next) {
    for (const FieldArea& area : current) {
        const int column = static_cast<int>(area.column);
        const int row = static_cast<int>(area.row);
        for (const Probe& probe : probes) {
            if (!open.CanStep(probe.direction, column, row)) {
                continue;
            }
            const WalkStep step = StepOf(probe.direction);
            const int index = CellIndex(column + step.dColumn, row + step.dRow);
            if (visited[index] != 0) {
                continue;
            }
            visited[index] = 1;
            codes[index] = probe.backCode;
            next.emplace_back(static_cast<std::uint32_t>(column + step.dColumn),
                              static_cast<std::uint32_t>(row + step.dRow));
        }
    }
}

}  // namespace

void SearchRoute(const OpenMask& open, std::vector<FieldArea> seeds, WalkLoad::Grid& codes, VisitedGrid& visited) {
    std::vector<FieldArea> current = std::move(seeds);
    std::vector<FieldArea> next;
    while (!current.empty()) {
        Expand(open, current, kOrthogonal, codes, visited, next);
        Expand(open, current, kDiagonal, codes, visited, next);
        current.swap(next);
        next.clear();
    }
}

}  // namespace field
