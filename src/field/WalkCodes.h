#pragma once

// The codes of a direction grid cell and where each sends an enemy.
namespace field {

enum WalkCode : int {
    kWalkStop = 0,       // a route's start cell the search never reached
    kWalkUnreached = 1,  // open, but no path to the exit
    kWalkBlocked = 2,
    kWalkEast = 3,
    kWalkWest = 4,
    kWalkSouth = 5,
    kWalkNorth = 6,
    kWalkNorthEast = 7,
    kWalkSouthEast = 8,
    kWalkSouthWest = 9,
    kWalkNorthWest = 10,
};

// A step to the next cell and the sprite-sheet facing (0..7 clockwise from north) it shows.
struct WalkStep {
    int dColumn;
    int dRow;
    int facing;
};

constexpr bool IsMovingCode(int code) { return code >= kWalkEast && code <= kWalkNorthWest; }
constexpr bool IsDiagonalCode(int code) { return code >= kWalkNorthEast && code <= kWalkNorthWest; }

// Only meaningful for moving codes (3..10).
constexpr WalkStep StepOf(int code) {
    switch (code) {
        case kWalkEast: return {1, 0, 2};
        case kWalkWest: return {-1, 0, 6};
        case kWalkSouth: return {0, 1, 4};
        case kWalkNorth: return {0, -1, 0};
        case kWalkNorthEast: return {1, -1, 1};
        case kWalkSouthEast: return {1, 1, 3};
        case kWalkSouthWest: return {-1, 1, 5};
        case kWalkNorthWest: return {-1, -1, 7};
        default: return {0, 0, 0};
    }
}

}  // namespace field
