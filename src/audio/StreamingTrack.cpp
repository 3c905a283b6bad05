#include "audio/StreamingTrack.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "audio/WaveReader.h"
#include "platform/MessageBox.h"

namespace audio {

namespace {

constexpr std::uint32_t kMusicFormatBytes = 16;
constexpr std::int32_t kSilence = -10000;

void ShowMissingFile() { platform::ShowMessage("", "ファイルがありません"); }

}  // namespace

StreamingTrack::StreamingTrack(Mixer& mixer, platform::Event& musicEvent) : mixer_(mixer), musicEvent_(musicEvent) {}

StreamingTrack::~StreamingTrack() = default;

void StreamingTrack::ResetLocked() {
    buffer_.reset();
    readBuffer_.clear();
    readBuffer_.shrink_to_fit();
    wholeTrackInMemory_ = false;
    segmentSize_ = bufferSize_ = dataSize_ = readPosition_ = writePosition_ = 0;
    dataStart_ = 0;
}

HRESULT StreamingTrack::Load(const std::string& path, std::uint32_t offset, std::int32_t volume) {
    std::lock_guard lock(mutex_);
    ResetLocked();
    path_ = path;
    trackOffset_ = offset;

    RiffReader riff;
    if (!riff.Open(path)) {
        ShowMissingFile();
        return E_FAIL;
    }
    WaveInfo wave;
    const WaveError error = ReadWaveHeader(riff, offset, kMusicFormatBytes, wave);
    if (wave.shortFormat) {
        platform::ShowMessage("", "WAVフォーマットの読み込み失敗");
    }
    if (error == WaveError::CannotDescend) {
        platform::ShowMessage("", "最初のチャンク（最上部チャンク)に進入できません");
    } else if (error == WaveError::CannotAscend) {
        platform::ShowMessage("", "Wav読み込みエラー");
    }
    if (error != WaveError::None) {
        ShowCommonWaveError(error);
        return E_FAIL;
    }
    WaveFormat format = wave.format;
    format.extraSize = 0;

    // One second per segment, whole sample frames only.
    const std::uint64_t secondsOfBuffer = static_cast<std::uint64_t>(format.samplesPerSec) * format.blockAlign * 4;
    segmentSize_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(secondsOfBuffer / kSegmentCount, 0x3FFFFFF));
    segmentSize_ -= format.blockAlign != 0 ? segmentSize_ % format.blockAlign : 0;
    buffer_ = mixer_.CreateBuffer(format, kSegmentCount * segmentSize_);
    if (buffer_ == nullptr) {
        platform::ShowMessage("", "セカンダリバッファー作成失敗");
        return E_FAIL;
    }
    bufferSize_ = buffer_->Size();
    // Whole frames only, so that the wrap to the start keeps the channels in step.
    dataSize_ = wave.dataSize - wave.dataSize % format.blockAlign;
    dataStart_ = wave.dataStart;
    if (dataSize_ == 0) {
        ResetLocked();
        platform::ShowMessage("", "dataチャンクが見つかりません");
        return E_FAIL;
    }

    wholeTrackInMemory_ = dataSize_ < bufferSize_;
    readBuffer_.resize(wholeTrackInMemory_ ? dataSize_ : segmentSize_);
    const bool cached = !wholeTrackInMemory_ || ReadFromFile(0, dataSize_, readBuffer_.data());
    if (!cached || !CopyTrack(bufferSize_)) {
        ResetLocked();
        ShowMissingFile();
        return E_FAIL;
    }

    std::vector<PositionNotify> notifies;
    for (std::uint32_t i = 0; i < kSegmentCount; ++i) {
        notifies.push_back({segmentSize_ * i + segmentSize_ - 1, &musicEvent_});
    }
    if (!buffer_->SetNotifications(notifies)) {
        ResetLocked();
        return E_FAIL;
    }
    buffer_->SetVolume(volume);
    return S_OK;
}

bool StreamingTrack::ReadFromFile(std::uint32_t position, std::uint32_t count, std::uint8_t* into) const {
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    const bool read = std::fseek(file, static_cast<long>(dataStart_ + position), SEEK_SET) == 0 &&
                      std::fread(into, 1, count, file) == count;
    std::fclose(file);
    return read;
}

// Copies the next count bytes of the track to the write position, going round to the track's
// start as often as its end is reached. A failed read (the pack went away) leaves silence rather
// than stale sound, and returns false.
bool StreamingTrack::CopyTrack(std::uint32_t count) {
    bool allRead = true;
    while (count > 0) {
        const std::uint32_t piece = std::min({count, dataSize_ - readPosition_, segmentSize_});
        std::uint8_t* source = wholeTrackInMemory_ ? readBuffer_.data() + readPosition_ : readBuffer_.data();
        if (!wholeTrackInMemory_ && !ReadFromFile(readPosition_, piece, source)) {
            std::memset(source, buffer_->Format().bitsPerSample == 8 ? 128 : 0, piece);
            allRead = false;
        }
        buffer_->Write(writePosition_, source, piece);
        writePosition_ = (writePosition_ + piece) % bufferSize_;
        readPosition_ += piece;
        if (readPosition_ == dataSize_) {
            readPosition_ = 0;
        }
        count -= piece;
    }
    return allRead;
}

void StreamingTrack::Refill() {
    std::lock_guard lock(mutex_);
    if (buffer_ == nullptr) {
        return;
    }
    // A notification may be stale (a track was loaded since), or two may have come together;
    // either way, only the segments the cursor has already left are due.
    for (std::uint32_t i = 0; i < kSegmentCount; ++i) {
        const std::uint32_t cursor = buffer_->CurrentPosition();
        if (cursor >= writePosition_ && cursor < writePosition_ + segmentSize_) {
            return;
        }
        CopyTrack(segmentSize_);
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
