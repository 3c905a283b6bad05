#include "Wave.h"

#include <cmath>
#include <cstring>

namespace assetgen {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeWave(const std::vector<float>& samples, int rate, int channels) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // linear PCM
    Put16(out, static_cast<std::uint32_t>(channels));
    Put32(out, static_cast<std::uint32_t>(rate));
    Put32(out, static_cast<std::uint32_t>(rate * channels * 2));
    Put16(out, static_cast<std::uint32_t>(channels * 2));
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (const float s : samples) {
        // A gentle knee above 0.9 instead of hard clipping.
        float v = s;
        const float mag = std::fabs(v);
        if (mag > 0.9f) {
            v = std::copysign(0.9f + 0.1f * std::tanh((mag - 0.9f) * 10.0f), v);
        }
        const auto q = static_cast<std::int16_t>(std::lround(v * 32767.0f));
        Put16(out, static_cast<std::uint16_t>(q));
    }
    return out;
}

}  // namespace assetgen
