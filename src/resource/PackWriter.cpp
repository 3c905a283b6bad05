#include "resource/PackWriter.h"

#include <cstdio>

#include "base/FilePath.h"
#include "resource/PackFormat.h"

namespace pack {

void PutU32(std::vector<std::uint8_t>& out, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PutRecord(std::vector<std::uint8_t>& out, std::uint32_t index, const std::string& name, std::uint32_t first,
               std::uint32_t second, std::uint32_t third, std::uint32_t key) {
    const std::size_t record = kHeaderSize + static_cast<std::size_t>(kRecordSize) * index;
    PutU32(out, record, Scramble(static_cast<std::uint32_t>(name.size()), key));
    for (std::size_t j = 0; j < name.size(); ++j) {
        out[record + kRecordNameOffset + j] = ScrambleChar(static_cast<std::uint8_t>(name[j]), key);
    }
    PutU32(out, record + kRecordSizeField, Scramble(first, key));
    PutU32(out, record + kRecordOffsetField, Scramble(second, key));
    PutU32(out, record + kRecordThirdField, Scramble(third, key));
}

bool BuildPack(const std::vector<Entry>& entries, std::uint32_t key, std::vector<std::uint8_t>& out,
               std::string& error) {
    std::uint64_t total = kHeaderSize + static_cast<std::uint64_t>(kRecordSize) * entries.size();
    for (const Entry& entry : entries) {
        if (entry.name.size() > kMaxNameLength) {
            error = "entry name '" + entry.name + "' is longer than 31 characters";
            return false;
        }
        total += entry.bytes.size();
    }
    if (total > 0xFFFFFFFFull) {
        error = "pack would be larger than 4 GiB";
        return false;
    }
    out.assign(static_cast<std::size_t>(total), 0);
    PutU32(out, 0, key);
    PutU32(out, 4, Scramble(static_cast<std::uint32_t>(entries.size()), key));
    std::uint32_t offset = kHeaderSize + kRecordSize * static_cast<std::uint32_t>(entries.size());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        const auto size = static_cast<std::uint32_t>(entry.bytes.size());
        PutRecord(out, i, entry.name, size, offset, entry.third, key);
        std::copy(entry.bytes.begin(), entry.bytes.end(), out.begin() + offset);
        offset += size;
    }
    return true;
}

bool WritePackFile(const std::string& path, const std::vector<Entry>& entries, std::uint32_t key,
                   std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!BuildPack(entries, key, bytes, error)) {
        return false;
    }
    std::FILE* file = OpenFile(path, "wb");
    if (file == nullptr) {
        error = "cannot write '" + path + "'";
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

}  // namespace pack
