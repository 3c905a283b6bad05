#pragma once
#include <cstdint>

// An integer counter kept between a minimum and a maximum; with wrap set, running past one end
// jumps to the other.
class LimitNumber {
public:
    virtual ~LimitNumber() = default;

    void Set(int newValue, int newMax, int newMin);
    void Increase(int n);
    void Decrease(int n);
    // The value clamped to min..max.
    int Get() const;

    int value = 0;
    int max = 0;
    int min = 0;
    std::uint8_t wrap = 0;
};
