#pragma once
#include <cstdint>

namespace audio {

constexpr std::uint16_t kWaveFormatPcm = 1;

// The fields of a WAVE "fmt " chunk, in file order (the layout of WAVEFORMATEX).
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// What the mixer can play: linear PCM, 8 or 16 bit, mono or stereo, a sane rate, and a block
// size that matches the other fields.
inline bool IsPlayableFormat(const WaveFormat& format) {
    return format.formatTag == kWaveFormatPcm && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.samplesPerSec >= 100 &&
           format.samplesPerSec <= 200000 && format.blockAlign == format.channels * format.bitsPerSample / 8;
}

}  // namespace audio
