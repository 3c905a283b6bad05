#include "Noise.h"

#include <cmath>

namespace assetgen {

std::uint32_t Rng::Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<std::uint32_t>((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

float Rng::Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }

namespace {

float Lattice(int x, int y, std::uint32_t seed) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / 16777215.0f;
}

int Wrap(int v, int period) {
    if (period <= 0) {
        return v;
    }
    const int m = v % period;
    return m < 0 ? m + period : m;
}

}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed, int period) {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    float fx = x - static_cast<float>(ix);
    float fy = y - static_cast<float>(iy);
    fx = fx * fx * (3.0f - 2.0f * fx);
    fy = fy * fy * (3.0f - 2.0f * fy);
    const int x0 = Wrap(ix, period);
    const int x1 = Wrap(ix + 1, period);
    const int y0 = Wrap(iy, period);
    const int y1 = Wrap(iy + 1, period);
    const float top = Lattice(x0, y0, seed) + (Lattice(x1, y0, seed) - Lattice(x0, y0, seed)) * fx;
    const float bottom = Lattice(x0, y1, seed) + (Lattice(x1, y1, seed) - Lattice(x0, y1, seed)) * fx;
    return top + (bottom - top) * fy;
}

float Fractal(float x, float y, std::uint32_t seed, int octaves, int period) {
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u, period) * weight;
        total += weight;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}

}  // namespace assetgen
