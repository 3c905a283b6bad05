#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "audio/Mixer.h"
#include "audio/SoundBuffer.h"
#include "base/Result.h"
#include "platform/Event.h"

namespace audio {

// The streaming side of the music player: a looping buffer of four one-second segments, refilled
// from the track in the pack file one segment behind the play cursor. Every segment end signals
// the music event, and the music thread answers with Refill. At the end of the track the stream
// carries on from the track's start, so a track loops seamlessly. One mutex covers the state, so
// a track may be loaded on one thread while the music thread refills; the disk is always read
// outside it, so the main thread's per-frame calls never wait for a slow disk.
class StreamingTrack {
public:
    static constexpr std::uint32_t kSegmentCount = 4;

    StreamingTrack(Mixer& mixer, platform::Event& musicEvent);
    ~StreamingTrack();
    StreamingTrack(const StreamingTrack&) = delete;
    StreamingTrack& operator=(const StreamingTrack&) = delete;

    // Loads the RIFF WAVE track starting at the offset inside the file and fills the whole buffer
    // from its start; the buffer does not play yet. Reports failures to the player.
    HRESULT Load(const std::string& path, std::uint32_t offset, std::int32_t volume);
    // Refills every segment the play cursor has left since the last refill.
    void Refill();
    void Release();

    void PlayLooping();
    void Stop();
    void SetVolume(std::int32_t volume);

    bool HasBuffer() const;
    bool Playing() const;
    std::int32_t Volume() const;
    std::uint32_t SegmentSize() const;
    // Where the next refill writes: it trails the play cursor by a segment or less.
    std::uint32_t WritePosition() const;
    // The offset of the track last asked for inside its file.
    std::uint32_t TrackOffset() const;

private:
    // Where a track's samples come from: the pack file, or memory for a track shorter than the
    // buffer (kept rather than read again and again). Cheap to copy out of the lock.
    struct Source {
        std::string path;
        std::uint64_t dataStart = 0;
        std::uint32_t dataSize = 0;  // whole sample frames
        std::shared_ptr<const std::vector<std::uint8_t>> wholeTrack;
        std::uint8_t silence = 0;

        // Reads count bytes from position on, going round to the track's start at its end, and
        // moves position past them. What cannot be read (the pack went away) becomes silence
        // rather than stale sound, and the answer is false.
        bool Read(std::uint32_t& position, std::uint8_t* into, std::uint32_t count) const;
    };

    void ResetLocked();
    // The refill of the segment behind the play cursor is due.
    bool SegmentDueLocked() const;

    Mixer& mixer_;
    platform::Event& musicEvent_;
    mutable std::mutex mutex_;
    std::mutex loadMutex_;    // one load at a time
    std::mutex refillMutex_;  // one refill at a time; guards refillBytes_
    std::unique_ptr<SoundBuffer> buffer_;
    Source source_;
    std::uint64_t generation_ = 0;  // counts loads and releases, so a refill can tell its track went
    std::uint32_t trackOffset_ = 0;
    std::uint32_t segmentSize_ = 0;
    std::uint32_t bufferSize_ = 0;
    std::uint32_t readPosition_ = 0;
    std::uint32_t writePosition_ = 0;
    std::vector<std::uint8_t> refillBytes_;  // one segment, read outside the lock
};

// The one music stream of the program and the event its notifications signal. Neither is ever
// destroyed, so the registry can release the music at process exit.
platform::Event& MusicEvent();
StreamingTrack& MusicTrack();

}  // namespace audio
