#include "resource/PackDirectory.h"

#include <algorithm>
#include <cstring>

#include "resource/PackFormat.h"

namespace pack {

namespace {

DirectoryRecord DecodeRecord(const std::uint8_t* record, std::uint32_t key) {
    const auto length = static_cast<std::int32_t>(Unscramble(LoadU32(record), key));
    const std::int32_t kept = std::clamp<std::int32_t>(length, 0, static_cast<std::int32_t>(kMaxNameLength));
    char name[kMaxNameLength + 1] = {};
    for (std::int32_t j = 0; j < kept; ++j) {
        name[j] = static_cast<char>(UnscrambleChar(record[kRecordNameOffset + static_cast<std::uint32_t>(j)], key));
    }
    DirectoryRecord decoded;
    decoded.name = name;  // up to the first zero byte
    decoded.first = Unscramble(LoadU32(record + kRecordSizeField), key);
    decoded.second = Unscramble(LoadU32(record + kRecordOffsetField), key);
    decoded.third = Unscramble(LoadU32(record + kRecordThirdField), key);
    return decoded;
}

}  // namespace

void ReadDirectory(BinaryFile& file, std::uint32_t& key, std::vector<DirectoryRecord>& records) {
    records.clear();
    key = 0;
    std::uint32_t storedCount = 0;
    if (!file.ReadU32At(0, key) || !file.ReadU32At(4, storedCount)) {
        return;
    }
    const auto count = static_cast<std::int32_t>(Unscramble(storedCount, key));
    std::uint8_t record[kRecordSize];
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint64_t at = kHeaderSize + static_cast<std::uint64_t>(kRecordSize) * static_cast<std::uint32_t>(i);
        if (!file.ReadAt(at, record, sizeof record)) {
            break;  // the file ends before the count does
        }
        records.push_back(DecodeRecord(record, key));
    }
}

}  // namespace pack
