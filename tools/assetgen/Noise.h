#pragma once
#include <cstdint>

namespace assetgen {

// The generator's own random numbers: a fixed seed gives the same content on every machine.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint32_t Next();
    // Uniform in [0, 1).
    float Unit();
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint64_t state_;
};

// Smooth value noise in 0..1, tiling with the given period (in lattice cells) when period > 0.
float ValueNoise(float x, float y, std::uint32_t seed, int period = 0);
// Several octaves of value noise, 0..1.
float Fractal(float x, float y, std::uint32_t seed, int octaves, int period = 0);

}  // namespace assetgen
