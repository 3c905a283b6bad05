#pragma once
#include <cstdint>

#include "audio/RiffReader.h"
#include "audio/WaveFormat.h"

namespace audio {

enum class WaveError {
    None,
    CannotDescend,   // no chunk header at the offset
    NotWave,         // not "RIFF" with form type "WAVE"
    NoFormatChunk,   // no "fmt " chunk
    NotPcm,          // format tag other than linear PCM
    CannotAscend,    // the "fmt " chunk runs past the end of the file
    NoDataChunk,     // no "data" chunk after "fmt "
};

struct WaveInfo {
    WaveFormat format;
    bool shortFormat = false;  // fewer format bytes than asked for could be read
    std::uint64_t dataStart = 0;
    std::uint32_t dataSize = 0;  // the bytes the file really holds, which may be fewer than claimed
};

// Reads the header of the RIFF WAVE file that starts at the offset: the format (formatBytes of
// it, 16 or 18, read from the start of "fmt " whatever that chunk's own size) and where the
// samples are. The reader must be open.
WaveError ReadWaveHeader(RiffReader& riff, std::uint64_t offset, std::uint32_t formatBytes, WaveInfo& info);

// Shows the player's message for the errors both sound loaders report alike; the others (and
// None) show nothing and return false.
bool ShowCommonWaveError(WaveError error);

}  // namespace audio
