#include "audio/StreamingTrack.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "audio/WaveReader.h"
#include "base/FilePath.h"
#include "base/Language.h"
#include "platform/MessageBox.h"

namespace audio {

namespace {

constexpr std::uint32_t kMusicFormatBytes = 16;
constexpr std::int32_t kSilence = -10000;

void ShowMissingFile() { platform::ShowMessage("", N_MESSAGE("ファイルがありません")); }

}  // namespace

StreamingTrack::StreamingTrack(Mixer& mixer, platform::Event& musicEvent) : mixer_(mixer), musicEvent_(musicEvent) {}

StreamingTrack::~StreamingTrack() = default;

void StreamingTrack::ResetLocked() {
    buffer_.reset();
    source_ = Source{};
    segmentSize_ = bufferSize_ = readPosition_ = writePosition_ = 0;
    ++generation_;
}

bool StreamingTrack::Source::Read(std::uint32_t& position, std::uint8_t* into, std::uint32_t count) const {
    if (dataSize == 0) {
        std::memset(into, silence, count);
        return true;  // an empty track is silence, and that is all there is to read
    }
    std::FILE* file = wholeTrack != nullptr ? nullptr : OpenFile(path, "rb");
    bool allRead = wholeTrack != nullptr || file != nullptr;
    while (count > 0) {
        const std::uint32_t piece = std::min(count, dataSize - position);
        if (wholeTrack != nullptr) {
            std::memcpy(into, wholeTrack->data() + position, piece);
        } else if (file == nullptr || std::fseek(file, static_cast<long>(dataStart + position), SEEK_SET) != 0 ||
                   std::fread(into, 1, piece, file) != piece) {
            std::memset(into, silence, piece);
            allRead = false;
        }
        into += piece;
        count -= piece;
        position = (position + piece) % dataSize;
    }
    if (file != nullptr) {
        std::fclose(file);
    }
    return allRead;
}

HRESULT StreamingTrack::Load(const std::string& path, std::uint32_t offset, std::int32_t volume) {
    std::lock_guard loading(loadMutex_);
    {
        std::lock_guard lock(mutex_);
        ResetLocked();
        trackOffset_ = offset;
    }
    // From here to the hand-over the disk is read, outside the lock.
    RiffReader riff;
    if (!riff.Open(path)) {
        ShowMissingFile();
        return E_FAIL;
    }
    WaveInfo wave;
    const WaveError error = ReadWaveHeader(riff, offset, kMusicFormatBytes, wave);
    if (wave.shortFormat) {
        platform::ShowMessage("", N_MESSAGE("WAVフォーマットの読み込み失敗"));
    }
    if (error == WaveError::CannotDescend) {
        platform::ShowMessage("", N_MESSAGE("最初のチャンク（最上部チャンク)に進入できません"));
    } else if (error == WaveError::CannotAscend) {
        platform::ShowMessage("", N_MESSAGE("Wav読み込みエラー"));
    }
    if (error != WaveError::None) {
        ShowCommonWaveError(error);
        return E_FAIL;
    }
    WaveFormat format = wave.format;
    format.extraSize = 0;

    // One second per segment, whole sample frames only. The cap only matters for an absurd header,
    // which the mixer then refuses; it keeps the buffer size from overflowing first.
    const std::uint64_t fourSeconds = static_cast<std::uint64_t>(format.samplesPerSec) * format.blockAlign * 4;
    auto segmentSize = static_cast<std::uint32_t>(std::min<std::uint64_t>(fourSeconds / kSegmentCount, 0x3FFFFFF));
    segmentSize -= format.blockAlign != 0 ? segmentSize % format.blockAlign : 0;
    std::unique_ptr<SoundBuffer> buffer = mixer_.CreateBuffer(format, kSegmentCount * segmentSize);
    if (buffer == nullptr) {
        platform::ShowMessage("", N_MESSAGE("セカンダリバッファー作成失敗"));
        return E_FAIL;
    }
    const std::uint32_t bufferSize = buffer->Size();

    Source source;
    source.path = path;
    source.dataStart = wave.dataStart;
    // Whole frames only, so that the wrap to the start keeps the channels in step.
    source.dataSize = wave.dataSize - wave.dataSize % format.blockAlign;
    source.silence = format.bitsPerSample == 8 ? 128 : 0;
    bool read = true;
    if (source.dataSize > 0 && source.dataSize < bufferSize) {
        auto wholeTrack = std::make_shared<std::vector<std::uint8_t>>(source.dataSize);
        std::uint32_t start = 0;
        read = source.Read(start, wholeTrack->data(), source.dataSize);
        source.wholeTrack = std::move(wholeTrack);
    }
    std::vector<std::uint8_t> firstFill(bufferSize);
    std::uint32_t readPosition = 0;
    if (!read || !source.Read(readPosition, firstFill.data(), bufferSize)) {
        ShowMissingFile();
        return E_FAIL;
    }
    buffer->Write(0, firstFill.data(), bufferSize);

    std::vector<PositionNotify> notifies;
    for (std::uint32_t i = 0; i < kSegmentCount; ++i) {
        notifies.push_back({segmentSize * i + segmentSize - 1, &musicEvent_});
    }
    if (!buffer->SetNotifications(notifies)) {
        return E_FAIL;
    }
    buffer->SetVolume(volume);

    std::lock_guard lock(mutex_);
    buffer_ = std::move(buffer);
    source_ = std::move(source);
    segmentSize_ = segmentSize;
    bufferSize_ = bufferSize;
    readPosition_ = readPosition;
    writePosition_ = 0;
    ++generation_;
    return S_OK;
}

bool StreamingTrack::SegmentDueLocked() const {
    if (buffer_ == nullptr) {
        return false;
    }
    const std::uint32_t cursor = buffer_->CurrentPosition();
    return cursor < writePosition_ || cursor >= writePosition_ + segmentSize_;
}

void StreamingTrack::Refill() {
    std::lock_guard refilling(refillMutex_);
    // A notification may be stale (a track was loaded since), or two may have come together;
    // either way, only the segments the cursor has already left are due.
    for (std::uint32_t i = 0; i < kSegmentCount; ++i) {
        Source source;
        std::uint32_t position = 0;
        std::uint64_t generation = 0;
        {
            std::lock_guard lock(mutex_);
            if (!SegmentDueLocked()) {
                return;
            }
            source = source_;
            position = readPosition_;
            generation = generation_;
            refillBytes_.resize(segmentSize_);
        }
        const auto count = static_cast<std::uint32_t>(refillBytes_.size());
        source.Read(position, refillBytes_.data(), count);
        std::lock_guard lock(mutex_);
        if (generation != generation_) {
            return;  // another track came meanwhile: these bytes are not its
        }
        buffer_->Write(writePosition_, refillBytes_.data(), count);
        writePosition_ = (writePosition_ + count) % bufferSize_;
        readPosition_ = position;
    }
}

void StreamingTrack::Release() {
    std::lock_guard lock(mutex_);
    ResetLocked();
}

void StreamingTrack::PlayLooping() {
    std::lock_guard lock(mutex_);
    if (buffer_ != nullptr) {
        buffer_->Play(true);
    }
}

void StreamingTrack::Stop() {
    std::lock_guard lock(mutex_);
    if (buffer_ != nullptr) {
        buffer_->Stop();
    }
}

void StreamingTrack::SetVolume(std::int32_t volume) {
    std::lock_guard lock(mutex_);
    if (buffer_ != nullptr) {
        buffer_->SetVolume(volume);
    }
}

bool StreamingTrack::HasBuffer() const {
    std::lock_guard lock(mutex_);
    return buffer_ != nullptr;
}

bool StreamingTrack::Playing() const {
    std::lock_guard lock(mutex_);
    return buffer_ != nullptr && buffer_->Playing();
}

std::int32_t StreamingTrack::Volume() const {
    std::lock_guard lock(mutex_);
    return buffer_ != nullptr ? buffer_->Volume() : kSilence;
}

std::uint32_t StreamingTrack::SegmentSize() const {
    std::lock_guard lock(mutex_);
    return segmentSize_;
}

std::uint32_t StreamingTrack::WritePosition() const {
    std::lock_guard lock(mutex_);
    return writePosition_;
}

std::uint32_t StreamingTrack::TrackOffset() const {
    std::lock_guard lock(mutex_);
    return trackOffset_;
}

platform::Event& MusicEvent() {
    static platform::Event* const event = new platform::Event();
    return *event;
}

StreamingTrack& MusicTrack() {
    static StreamingTrack* const track = new StreamingTrack(SharedMixer(), MusicEvent());
    return *track;
}

}  // namespace audio
