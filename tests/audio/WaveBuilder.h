#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds RIFF WAVE files for tests, well-formed or damaged on purpose.
struct WaveSpec {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint16_t bitsPerSample = 16;
    std::uint32_t samplesPerSec = 44100;
    std::uint32_t formatChunkSize = 16;  // 16 or 18
    // Added to the data chunk's true size in its header (a lying header).
    std::uint32_t dataSizeExcess = 0;
};

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

inline std::vector<std::uint8_t> MakeWave(const WaveSpec& spec, const std::vector<std::uint8_t>& samples) {
    const auto blockAlign = static_cast<std::uint16_t>(spec.channels * spec.bitsPerSample / 8);
    std::vector<std::uint8_t> chunks;
    AppendTag(chunks, "fmt ");
    AppendU32(chunks, spec.formatChunkSize);
    AppendU16(chunks, spec.formatTag);
    AppendU16(chunks, spec.channels);
    AppendU32(chunks, spec.samplesPerSec);
    AppendU32(chunks, spec.samplesPerSec * blockAlign);
    AppendU16(chunks, blockAlign);
    AppendU16(chunks, spec.bitsPerSample);
    if (spec.formatChunkSize >= 18) {
        AppendU16(chunks, 0);
    }
    AppendTag(chunks, "data");
    AppendU32(chunks, static_cast<std::uint32_t>(samples.size()) + spec.dataSizeExcess);
    chunks.insert(chunks.end(), samples.begin(), samples.end());
    std::vector<std::uint8_t> wave;
    AppendTag(wave, "RIFF");
    AppendU32(wave, static_cast<std::uint32_t>(chunks.size() + 4));
    AppendTag(wave, "WAVE");
    wave.insert(wave.end(), chunks.begin(), chunks.end());
    return wave;
}

inline std::vector<std::uint8_t> Pcm16(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes;
    for (const std::int16_t sample : samples) {
        AppendU16(bytes, static_cast<std::uint16_t>(sample));
    }
    return bytes;
}

// A sawtooth whose values do not repeat for 60000 samples, so a sample from the wrong place in
// a track never matches by chance.
inline std::vector<std::int16_t> Sawtooth(std::size_t count) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<std::int16_t>(static_cast<int>((i * 7) % 60000) - 30000);
    }
    return samples;
}
