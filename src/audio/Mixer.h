#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/WaveFormat.h"

namespace audio {

class SoundBuffer;

// Mixes every playing secondary buffer into interleaved 16-bit stereo at the output rate. The
// output device's callback pulls it; tests pull it by hand. The one lock guards all buffer state.
class Mixer {
public:
    static constexpr int kChannels = 2;

    explicit Mixer(std::uint32_t outputRate);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    std::uint32_t OutputRate() const { return outputRate_; }

    // Null when the format is not playable PCM or the size is outside 4 bytes .. 256 MiB.
    std::unique_ptr<SoundBuffer> CreateBuffer(const WaveFormat& format, std::uint32_t size);

    // Mixes the next frames of every playing buffer, advancing their cursors and signalling the
    // notifications they pass. out holds frames x 2 samples.
    void Mix(std::int16_t* out, std::size_t frames);

private:
    friend class SoundBuffer;
    void Detach(SoundBuffer* buffer);

    mutable std::mutex mutex_;
    const std::uint32_t outputRate_;
    std::vector<SoundBuffer*> buffers_;
};

// The mixer every sound of the game plays into. It is never destroyed, so sounds released at
// process exit (the registry is a global) always find it.
Mixer& SharedMixer();

}  // namespace audio
