#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "resource/PackFormat.h"

// A minimal reader of the generated packs for the content tests: the directory and entry bytes,
// nothing else.
struct ContentEntry {
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
    std::uint32_t third = 0;
};

class ContentPack {
public:
    bool Load(const std::string& path) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            return false;
        }
        std::vector<std::uint8_t> bytes;
        std::uint8_t buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        std::fclose(file);
        bytes_ = std::move(bytes);
        return ReadDirectory();
    }

    const std::map<std::string, ContentEntry>& Entries() const { return entries_; }
    bool Has(const std::string& name) const { return entries_.count(name) != 0; }
    std::vector<std::uint8_t> Bytes(const std::string& name) const {
        const ContentEntry& e = entries_.at(name);
        return {bytes_.begin() + e.offset, bytes_.begin() + e.offset + e.size};
    }
    const std::vector<std::uint8_t>& File() const { return bytes_; }

private:
    std::uint32_t U32(std::size_t at) const {
        return static_cast<std::uint32_t>(bytes_[at]) | static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
               static_cast<std::uint32_t>(bytes_[at + 2]) << 16 | static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
    }

    bool ReadDirectory() {
        if (bytes_.size() < pack::kHeaderSize) {
            return false;
        }
        const std::uint32_t key = U32(0);
        const std::uint32_t count = pack::Unscramble(U32(4), key);
        if (pack::kHeaderSize + static_cast<std::uint64_t>(count) * pack::kRecordSize > bytes_.size()) {
            return false;
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t record = pack::kHeaderSize + static_cast<std::size_t>(i) * pack::kRecordSize;
            const std::uint32_t length = pack::Unscramble(U32(record), key);
            if (length > pack::kMaxNameLength) {
                return false;
            }
            std::string name;
            for (std::uint32_t j = 0; j < length; ++j) {
                name.push_back(static_cast<char>(pack::UnscrambleChar(bytes_[record + pack::kRecordNameOffset + j], key)));
            }
            ContentEntry entry{pack::Unscramble(U32(record + pack::kRecordSizeField), key),
                               pack::Unscramble(U32(record + pack::kRecordOffsetField), key),
                               pack::Unscramble(U32(record + pack::kRecordThirdField), key)};
            entries_.emplace(name, entry);
        }
        return true;
    }

    std::vector<std::uint8_t> bytes_;
    std::map<std::string, ContentEntry> entries_;
};
