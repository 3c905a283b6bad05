#pragma once
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

// How much of each of the twelve pitch classes sounds in a stretch of music (the notes from A2 to
// B5, found with Goertzel filters on a four-fold decimated signal), centred and scaled to unit
// length, so that two stretches compare by their dot product: 1 for the same harmony, 0 or less
// for unrelated ones.
using PitchProfile = std::array<double, 12>;

inline PitchProfile ProfileOf(const std::vector<float>& mono, std::size_t from, std::size_t to, int rate) {
    std::vector<float> reduced;
    for (std::size_t i = from; i + 4 <= to; i += 4) {
        reduced.push_back((mono[i] + mono[i + 1] + mono[i + 2] + mono[i + 3]) * 0.25f);
    }
    const double reducedRate = rate / 4.0;
    PitchProfile profile{};
    for (int midi = 45; midi < 84; ++midi) {
        const double omega = 2.0 * 3.14159265358979 * 440.0 * std::pow(2.0, (midi - 69) / 12.0) / reducedRate;
        const double coefficient = 2.0 * std::cos(omega);
        double s1 = 0.0;
        double s2 = 0.0;
        for (const float x : reduced) {
            const double s0 = x + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        profile[static_cast<std::size_t>(midi % 12)] += s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    }
    double mean = 0.0;
    for (const double v : profile) {
        mean += v / 12.0;
    }
    double length = 0.0;
    for (double& v : profile) {
        v -= mean;
        length += v * v;
    }
    length = std::sqrt(length);
    for (double& v : profile) {
        v = length > 0.0 ? v / length : 0.0;
    }
    return profile;
}

// The profiles of consecutive stretches of the given length.
inline std::vector<PitchProfile> ProfileSequence(const std::vector<float>& mono, int rate, double seconds) {
    std::vector<PitchProfile> sequence;
    const auto window = static_cast<std::size_t>(seconds * rate);
    for (std::size_t at = 0; at + window <= mono.size(); at += window) {
        sequence.push_back(ProfileOf(mono, at, at + window, rate));
    }
    return sequence;
}

// How well the music matches itself shifted in time, at the best shift of at least `minimum`
// stretches (going round the end, as a loop does): near 1 when it only repeats one passage over
// and over, far lower when its sections differ.
inline double BestSelfMatch(const std::vector<PitchProfile>& sequence, std::size_t minimum) {
    const std::size_t count = sequence.size();
    double best = -1.0;
    for (std::size_t lag = minimum; lag + minimum <= count; ++lag) {
        double sum = 0.0;
        for (std::size_t t = 0; t < count; ++t) {
            for (std::size_t k = 0; k < 12; ++k) {
                sum += sequence[t][k] * sequence[(t + lag) % count][k];
            }
        }
        best = std::max(best, sum / static_cast<double>(count));
    }
    return best;
}
