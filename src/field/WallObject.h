#pragma once
#include <cstdint>

// One cell of the battlefield: its centre and whether enemies may walk through it.
class WallObject {
public:
    WallObject(int centreX, int centreY) : x(centreX), y(centreY) {}
    virtual ~WallObject() = default;

    int x;
    int y;
    // 1 = wall, scenery or tower; 0 = open.
    std::uint8_t blocked = 1;
};
