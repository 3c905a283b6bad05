#include "audio/SoundBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio/Mixer.h"

namespace audio {

namespace {
constexpr std::int32_t kSilence = -10000;

float GainOf(std::int32_t volume) {
    return volume <= kSilence ? 0.0f : static_cast<float>(std::pow(10.0, volume / 2000.0));
}
}  // namespace

SoundBuffer::SoundBuffer(Mixer& mixer, const WaveFormat& format, std::uint32_t size)
    : mixer_(mixer), format_(format), size_(size), frames_(size / format.blockAlign), data_(size, 0) {
    // Silence is 0 for 16-bit samples but 128 for unsigned 8-bit ones.
    if (format.bitsPerSample == 8) {
        std::fill(data_.begin(), data_.end(), 128);
    }
}

SoundBuffer::~SoundBuffer() { mixer_.Detach(this); }

bool SoundBuffer::Write(std::uint32_t offset, const void* bytes, std::uint32_t count) {
    if (offset >= size_ || count > size_) {
        return false;
    }
    std::lock_guard lock(mixer_.mutex_);
    const auto* source = static_cast<const std::uint8_t*>(bytes);
    const std::uint32_t first = std::min(count, size_ - offset);
    std::memcpy(data_.data() + offset, source, first);
    std::memcpy(data_.data(), source + first, count - first);
    return true;
}

void SoundBuffer::Play(bool looping) {
    std::lock_guard lock(mixer_.mutex_);
    playing_ = true;
    looping_ = looping;
}

void SoundBuffer::Stop() {
    std::lock_guard lock(mixer_.mutex_);
    playing_ = false;
}

bool SoundBuffer::Playing() const {
    std::lock_guard lock(mixer_.mutex_);
    return playing_;
}

bool SoundBuffer::Looping() const {
    std::lock_guard lock(mixer_.mutex_);
    return looping_;
}

void SoundBuffer::SetCurrentPosition(std::uint32_t offset) {
    std::lock_guard lock(mixer_.mutex_);
    position_ = static_cast<std::uint64_t>(std::min(offset, size_ - 1) / format_.blockAlign) << 32;
}

std::uint32_t SoundBuffer::CurrentPosition() const {
    std::lock_guard lock(mixer_.mutex_);
    return CursorByte();
}

void SoundBuffer::SetVolume(std::int32_t volume) {
    std::lock_guard lock(mixer_.mutex_);
    volume_ = std::clamp(volume, kSilence, 0);
    gain_ = GainOf(volume_);
}

std::int32_t SoundBuffer::Volume() const {
    std::lock_guard lock(mixer_.mutex_);
    return volume_;
}

bool SoundBuffer::SetNotifications(const std::vector<PositionNotify>& notifies) {
    for (const PositionNotify& notify : notifies) {
        if (notify.offset >= size_ || notify.event == nullptr) {
            return false;
        }
    }
    std::lock_guard lock(mixer_.mutex_);
    notifies_ = notifies;
    return true;
}

std::uint32_t SoundBuffer::CursorByte() const {
    return static_cast<std::uint32_t>(position_ >> 32) * format_.blockAlign;
}

float SoundBuffer::SampleAt(std::uint32_t frame, int channel) const {
    const std::size_t at = static_cast<std::size_t>(frame) * format_.blockAlign +
                           static_cast<std::size_t>(std::min(channel, format_.channels - 1)) * (format_.bitsPerSample / 8);
    if (format_.bitsPerSample == 8) {
        return static_cast<float>((data_[at] - 128) * 256);
    }
    return static_cast<float>(static_cast<std::int16_t>(data_[at] | data_[at + 1] << 8));
}

void SoundBuffer::MixInto(std::int32_t* accumulator, std::size_t frames, std::uint32_t outputRate) {
    const std::uint64_t step = (static_cast<std::uint64_t>(format_.samplesPerSec) << 32) / outputRate;
    const std::uint64_t end = static_cast<std::uint64_t>(frames_) << 32;
    const std::uint32_t startByte = CursorByte();
    std::uint32_t wraps = 0;
    bool ended = false;
    for (std::size_t i = 0; i < frames; ++i) {
        const auto frame = static_cast<std::uint32_t>(position_ >> 32);
        const float fraction = static_cast<float>(position_ & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
        const std::uint32_t next = frame + 1 < frames_ ? frame + 1 : (looping_ ? 0 : frame);
        for (int channel = 0; channel < Mixer::kChannels; ++channel) {
            const float a = SampleAt(frame, channel);
            const float value = a + (SampleAt(next, channel) - a) * fraction;
            accumulator[i * Mixer::kChannels + channel] += static_cast<std::int32_t>(std::lrint(value * gain_));
        }
        position_ += step;
        if (position_ >= end) {
            if (!looping_) {
                ended = true;
                break;
            }
            position_ %= end;
            ++wraps;
        }
    }
    if (ended) {
        playing_ = false;
        position_ = 0;
        SignalPassed(startByte, size_, 0);
        return;
    }
    SignalPassed(startByte, CursorByte(), wraps);
}

// A notification fires when the cursor moves past its byte: from <= offset < to, or across the
// end of the buffer when it wrapped.
void SoundBuffer::SignalPassed(std::uint32_t from, std::uint32_t to, std::uint32_t wraps) const {
    for (const PositionNotify& notify : notifies_) {
        const bool passed = wraps == 0   ? (notify.offset >= from && notify.offset < to)
                            : wraps == 1 ? (notify.offset >= from || notify.offset < to)
                                         : true;
        if (passed) {
            notify.event->Set();
        }
    }
}

}  // namespace audio
