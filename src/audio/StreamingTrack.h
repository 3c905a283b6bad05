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
// a track may be loaded on one thread while the music thread refills.
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
    void ResetLocked();
    bool ReadFromFile(std::uint32_t position, std::uint32_t count, std::uint8_t* into) const;
    bool CopyTrack(std::uint32_t count);

    Mixer& mixer_;
    platform::Event& musicEvent_;
    mutable std::mutex mutex_;
    std::unique_ptr<SoundBuffer> buffer_;
    std::string path_;
    std::uint32_t trackOffset_ = 0;
    std::uint32_t segmentSize_ = 0;
    std::uint32_t bufferSize_ = 0;
    std::uint64_t dataStart_ = 0;
    std::uint32_t dataSize_ = 0;
    std::uint32_t readPosition_ = 0;
    std::uint32_t writePosition_ = 0;
    // One segment of scratch for file reads, or the whole track when it is shorter than the buffer
    // (it is then kept in memory rather than read again and again).
    std::vector<std::uint8_t> readBuffer_;
    bool wholeTrackInMemory_ = false;
};

// The one music stream of the program and the event its notifications signal. Neither is ever
// destroyed, so the registry can release the music at process exit.
platform::Event& MusicEvent();
StreamingTrack& MusicTrack();

}  // namespace audio
