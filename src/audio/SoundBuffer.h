#pragma once
#include <cstdint>
#include <vector>

#include "audio/WaveFormat.h"
#include "platform/Event.h"

namespace audio {

class Mixer;

// A position notification: the event is signalled when the play cursor passes the byte offset.
struct PositionNotify {
    std::uint32_t offset = 0;
    platform::Event* event = nullptr;
};

// A secondary buffer of PCM bytes played by the mixer: a play cursor, play once or looping,
// stop, volume in hundredths of a decibel and position notifications. Every operation takes the
// mixer's lock, so any thread may use a buffer while the output mixes it.
class SoundBuffer {
public:
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    const WaveFormat& Format() const { return format_; }
    std::uint32_t Size() const { return size_; }

    // Copies bytes in at the offset, wrapping round to the start at the end of the buffer.
    // False when the offset lies outside the buffer or the bytes would not fit.
    bool Write(std::uint32_t offset, const void* bytes, std::uint32_t count);

    // Starts playing from the current position; an already playing buffer only takes the new
    // looping choice. A buffer played once stops at its end and rewinds to the start.
    void Play(bool looping);
    void Stop();
    bool Playing() const;
    bool Looping() const;

    void SetCurrentPosition(std::uint32_t offset);
    std::uint32_t CurrentPosition() const;

    // Hundredths of a decibel, clamped to -10000 (silence) .. 0 (full).
    void SetVolume(std::int32_t volume);
    std::int32_t Volume() const;

    // False (and nothing set) when an offset lies outside the buffer or an event is missing.
    bool SetNotifications(const std::vector<PositionNotify>& notifies);

private:
    friend class Mixer;
    SoundBuffer(Mixer& mixer, const WaveFormat& format, std::uint32_t size);

    // Called by the mixer under its lock: adds this buffer's sound to the stereo accumulator.
    void MixInto(std::int32_t* accumulator, std::size_t frames, std::uint32_t outputRate);
    float SampleAt(std::uint32_t frame, int channel) const;
    std::uint32_t CursorByte() const;
    void SignalPassed(std::uint32_t from, std::uint32_t to, std::uint32_t wraps) const;

    Mixer& mixer_;
    const WaveFormat format_;
    const std::uint32_t size_;
    const std::uint32_t frames_;
    std::vector<std::uint8_t> data_;
    std::uint64_t position_ = 0;  // in frames, 32.32 fixed point
    bool playing_ = false;
    bool looping_ = false;
    std::int32_t volume_ = 0;
    float gain_ = 1.0f;
    std::vector<PositionNotify> notifies_;
};

}  // namespace audio
