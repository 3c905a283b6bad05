#pragma once
#include <vector>

#include "object/Object.h"

// A "P" pickup: pops out of a defeated enemy, hangs for half a second, then flies to the points
// counter. It clears alive on arrival, and the battle scene then adds its value to the points.
class PowerItem : public Object {
public:
    // The arrival point beside the points icon.
    static constexpr float kTargetX = 490.0f;
    static constexpr float kTargetY = 95.0f;
    static constexpr float kFlightSpeed = 5.0f;

    // The size class is the item's value: 1, 4 or 16 points.
    PowerItem(gfx::Device* device, float x, float y, int sizeClass);

    // Moves (when update is 1) and draws; clears alive once the item has arrived.
    void Draw(int update) override;

    int Value() const { return sizeClass_; }
    float X() const { return x_; }
    float Y() const { return y_; }

private:
    void Step();
    void BuildQuad();

    int sizeClass_;
    float phase_ = -3.0f;
    float x_;
    float y_;
    float side_;
};

// The items a defeated enemy drops for its reward: as many 16s as fit, then 4s, then 1s.
std::vector<int> ItemValuesFor(int reward);
