#include "audio/Mixer.h"

#include <algorithm>

#include "audio/SoundBuffer.h"

namespace audio {

namespace {
constexpr std::uint32_t kMinBufferBytes = 4;
constexpr std::uint32_t kMaxBufferBytes = 0x0FFFFFFF;
constexpr std::size_t kBlockFrames = 256;
constexpr std::uint32_t kSharedOutputRate = 44100;
}  // namespace

Mixer::Mixer(std::uint32_t outputRate) : outputRate_(outputRate) {}

Mixer::~Mixer() = default;

std::unique_ptr<SoundBuffer> Mixer::CreateBuffer(const WaveFormat& format, std::uint32_t size) {
    if (!IsPlayableFormat(format) || size < kMinBufferBytes || size > kMaxBufferBytes || size < format.blockAlign) {
        return nullptr;
    }
    std::unique_ptr<SoundBuffer> buffer(new SoundBuffer(*this, format, size));
    std::lock_guard lock(mutex_);
    buffers_.push_back(buffer.get());
    return buffer;
}

void Mixer::Detach(SoundBuffer* buffer) {
    std::lock_guard lock(mutex_);
    buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

void Mixer::Mix(std::int16_t* out, std::size_t frames) {
    std::lock_guard lock(mutex_);
    std::int32_t accumulator[kBlockFrames * kChannels];
    while (frames > 0) {
        const std::size_t block = std::min(frames, kBlockFrames);
        std::fill(accumulator, accumulator + block * kChannels, 0);
        for (SoundBuffer* buffer : buffers_) {
            if (buffer->playing_) {
                buffer->MixInto(accumulator, block, outputRate_);
            }
        }
        for (std::size_t i = 0; i < block * kChannels; ++i) {
            out[i] = static_cast<std::int16_t>(std::clamp(accumulator[i], -32768, 32767));
        }
        out += block * kChannels;
        frames -= block;
    }
}

Mixer& SharedMixer() {
    static Mixer* const mixer = new Mixer(kSharedOutputRate);
    return *mixer;
}

}  // namespace audio
