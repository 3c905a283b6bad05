#include "audio/WaveReader.h"

#include <algorithm>
#include <cstring>

#include "base/Language.h"
#include "platform/MessageBox.h"

namespace audio {

namespace {

constexpr std::uint32_t kFullFormatBytes = 18;

std::uint16_t U16At(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8); }

std::uint32_t U32At(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(U16At(bytes)) | static_cast<std::uint32_t>(U16At(bytes + 2)) << 16;
}

WaveFormat ParseFormat(const std::uint8_t* bytes) {
    WaveFormat format;
    format.formatTag = U16At(bytes);
    format.channels = U16At(bytes + 2);
    format.samplesPerSec = U32At(bytes + 4);
    format.avgBytesPerSec = U32At(bytes + 8);
    format.blockAlign = U16At(bytes + 12);
    format.bitsPerSample = U16At(bytes + 14);
    format.extraSize = U16At(bytes + 16);
    return format;
}

}  // namespace

WaveError ReadWaveHeader(RiffReader& riff, std::uint64_t offset, std::uint32_t formatBytes, WaveInfo& info) {
    info = WaveInfo{};
    RiffChunk riffChunk;
    if (!riff.Seek(offset) || !riff.Descend(riffChunk)) {
        return WaveError::CannotDescend;
    }
    if (riffChunk.id != FourCC('R', 'I', 'F', 'F') || riffChunk.formType != FourCC('W', 'A', 'V', 'E')) {
        return WaveError::NotWave;
    }
    RiffChunk formatChunk;
    if (!riff.FindChunk(riffChunk, FourCC('f', 'm', 't', ' '), formatChunk)) {
        return WaveError::NoFormatChunk;
    }
    // Missing bytes read as zero, so a truncated format is then refused as not PCM.
    std::uint8_t bytes[kFullFormatBytes] = {};
    const std::uint32_t wanted = std::min(formatBytes, kFullFormatBytes);
    info.shortFormat = riff.Read(bytes, wanted) < wanted;
    info.format = ParseFormat(bytes);
    if (info.format.formatTag != kWaveFormatPcm) {
        return WaveError::NotPcm;
    }
    if (!riff.Ascend(formatChunk)) {
        return WaveError::CannotAscend;
    }
    RiffChunk dataChunk;
    if (!riff.FindChunk(riffChunk, FourCC('d', 'a', 't', 'a'), dataChunk)) {
        return WaveError::NoDataChunk;
    }
    // A file cut short still plays what it holds; a chunk may also be empty.
    const std::uint64_t present = riff.FileSize() - std::min(dataChunk.dataOffset, riff.FileSize());
    info.dataStart = dataChunk.dataOffset;
    info.dataSize = static_cast<std::uint32_t>(std::min<std::uint64_t>(dataChunk.size, present));
    return WaveError::None;
}

bool ShowCommonWaveError(WaveError error) {
    switch (error) {
    case WaveError::NotWave: platform::ShowMessage(" lol ", N_MESSAGE("これはWAVファイルではありません")); return true;
    case WaveError::NoFormatChunk: platform::ShowMessage("", N_MESSAGE("fmt チャンクが見つかりません")); return true;
    case WaveError::NotPcm: platform::ShowMessage("", N_MESSAGE("標準のリニアPCMフォーマットではありません")); return true;
    case WaveError::NoDataChunk: platform::ShowMessage("", N_MESSAGE("dataチャンクが見つかりません")); return true;
    default: return false;
    }
}

}  // namespace audio
