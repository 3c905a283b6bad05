#include "object/LimitNumber.h"

void LimitNumber::Set(int newValue, int newMax, int newMin) {
    value = newValue;
    max = newMax;
    min = newMin;
}

void LimitNumber::Increase(int n) {
    value += n;
    if (value > max) {
        value = wrap ? min : max;
    }
}

void LimitNumber::Decrease(int n) {
    value -= n;
    if (value < min) {
        value = wrap ? max : min;
    }
}

int LimitNumber::Get() const {
    if (value < min) {
        return min;
    }
    return value > max ? max : value;
}
