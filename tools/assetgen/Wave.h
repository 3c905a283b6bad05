#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

// 16-bit PCM RIFF WAVE bytes from samples in -1..1 (interleaved when stereo), clipped softly.
std::vector<std::uint8_t> EncodeWave(const std::vector<float>& samples, int rate, int channels);

}  // namespace assetgen
