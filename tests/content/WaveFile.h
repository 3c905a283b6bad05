#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

// The fields of a RIFF WAVE file the game relies on, or valid = false.
struct WaveInfo {
    bool valid = false;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;  // interleaved

    double Seconds() const { return valid ? static_cast<double>(samples.size()) / channels / rate : 0.0; }
};

inline WaveInfo ParseWave(const std::vector<std::uint8_t>& bytes) {
    WaveInfo info;
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
               static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    };
    auto u16 = [&](std::size_t at) { return static_cast<int>(bytes[at] | bytes[at + 1] << 8); };
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0 || u32(4) + 8 != bytes.size()) {
        return info;
    }
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = u32(at + 4);
        if (at + 8 + size > bytes.size()) {
            return info;
        }
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16) {
            if (u16(at + 8) != 1) {
                return info;
            }
            info.channels = u16(at + 10);
            info.rate = static_cast<int>(u32(at + 12));
            info.bits = u16(at + 22);
            haveFormat = u32(at + 16) == static_cast<std::uint32_t>(info.rate * info.channels * info.bits / 8) &&
                         u16(at + 20) == info.channels * info.bits / 8;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0 && haveFormat && info.bits == 16) {
            info.samples.resize(size / 2);
            std::memcpy(info.samples.data(), bytes.data() + at + 8, size & ~1u);
            info.valid = info.channels > 0 && info.rate > 0;
            return info;
        }
        at += 8 + size + (size & 1);
    }
    return info;
}
