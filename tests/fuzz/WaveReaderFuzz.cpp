// libFuzzer target: any bytes as a WAVE entry. The header reader must never read outside the
// file, and whatever it accepts must load into a buffer and mix without trouble.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "audio/Mixer.h"
#include "audio/SoundBuffer.h"
#include "audio/WaveReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::vector<std::uint8_t> copy(data, data + size);
    audio::RiffReader riff;
    riff.Adopt(fmemopen(copy.data(), copy.size(), "rb"));
    if (!riff.IsOpen()) {
        return 0;
    }
    for (const std::uint32_t formatBytes : {16u, 18u}) {
        audio::WaveInfo wave;
        if (audio::ReadWaveHeader(riff, 0, formatBytes, wave) != audio::WaveError::None) {
            continue;
        }
        std::vector<std::uint8_t> samples(wave.dataSize);
        if (!riff.Seek(wave.dataStart) || riff.Read(samples.data(), samples.size()) != samples.size()) {
            __builtin_trap();  // the header promised bytes the file does not hold
        }
        audio::Mixer mixer(44100);
        auto buffer = mixer.CreateBuffer(wave.format, wave.dataSize);
        if (buffer != nullptr) {
            buffer->Write(0, samples.data(), wave.dataSize);
            buffer->Play(true);
            std::int16_t out[512];
            mixer.Mix(out, 256);
        }
    }
    return 0;
}
