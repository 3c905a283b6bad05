#pragma once
#include <cstdint>

// The game's random numbers, with the contract of the classic C run-time rand(): a linear
// congruential generator whose state is kept per thread and starts at 1 in every new thread.
class Random {
public:
    static constexpr int kMax = 32767;

    static void Seed(std::uint32_t seed);
    // This thread's state: what Seed would have to be given to repeat the numbers from here.
    static std::uint32_t State();
    // 0 .. kMax.
    static int Next();
};
