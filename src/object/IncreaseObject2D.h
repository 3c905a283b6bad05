#pragma once
#include "object/Object2D.h"

// One sprite drawn `count` times in a row: a count shown as repeated icons.
class IncreaseObject2D : public Object2D {
public:
    void SetLayout(float newSpacing, bool newHorizontal);
    void Draw(int update) override;

    float spacing = 0.0f;
    int count = 1;  // written by the owner
    std::uint8_t horizontal = 1;
};
