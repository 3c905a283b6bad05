#include "base/Random.h"

namespace {
thread_local std::uint32_t t_state = 1;
}

void Random::Seed(std::uint32_t seed) { t_state = seed; }

std::uint32_t Random::State() { return t_state; }

int Random::Next() {
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int>((t_state >> 16) & 0x7FFFu);
}
