#include "Loudness.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBlockSeconds = 0.05;
constexpr int kHopsPerBlock = 4;
constexpr double kAbsoluteGate = -70.0;
constexpr double kRelativeGate = -10.0;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0.0;
    double z2 = 0.0;

    double Run(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two K-weighting stages for any sample rate (the standard gives them for 48 kHz only).
Biquad PresenceShelf(int rate) {
    const double k = std::tan(kPi * 1681.974450955533 / rate);
    const double q = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad LowCut(int rate) {
    const double k = std::tan(kPi * 38.13547087602444 / rate);
    const double q = 0.5003270373238773;
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

double ToLufs(double power) { return power > 0.0 ? -0.691 + 10.0 * std::log10(power) : -1e9; }

}  // namespace

float Loudness(const std::vector<float>& mono, int rate) {
    Biquad shelf = PresenceShelf(rate);
    Biquad cut = LowCut(rate);
    std::vector<double> squares(mono.size());
    for (std::size_t i = 0; i < mono.size(); ++i) {
        const double weighted = cut.Run(shelf.Run(mono[i]));
        squares[i] = weighted * weighted;
    }
    const std::size_t block = std::max<std::size_t>(1, static_cast<std::size_t>(kBlockSeconds * rate));
    const std::size_t hop = std::max<std::size_t>(1, block / kHopsPerBlock);
    std::vector<double> powers;
    for (std::size_t start = 0; start == 0 || start + block <= squares.size(); start += hop) {
        const std::size_t end = std::min(start + block, squares.size());
        double sum = 0.0;
        for (std::size_t i = start; i < end; ++i) {
            sum += squares[i];
        }
        powers.push_back(end > start ? sum / static_cast<double>(end - start) : 0.0);
    }
    auto gatedMean = [&](double gate) {
        double sum = 0.0;
        std::size_t count = 0;
        for (const double power : powers) {
            if (ToLufs(power) > gate) {
                sum += power;
                ++count;
            }
        }
        return count > 0 ? sum / static_cast<double>(count) : 0.0;
    };
    const double loud = gatedMean(kAbsoluteGate);
    if (loud <= 0.0) {
        return static_cast<float>(kAbsoluteGate);
    }
    return static_cast<float>(ToLufs(gatedMean(std::max(kAbsoluteGate, ToLufs(loud) + kRelativeGate))));
}

float Peak(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float s : samples) {
        peak = std::max(peak, std::fabs(s));
    }
    return peak;
}

}  // namespace assetgen
