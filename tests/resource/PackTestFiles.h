#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/FilePath.h"
#include "resource/PackFormat.h"
#include "resource/PackWriter.h"

// Helpers for tests that hand-make (and damage) pack containers.

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = OpenFile(path, "wb");
    if (file != nullptr) {
        if (!bytes.empty()) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        }
        std::fclose(file);
    }
}

inline std::vector<std::uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// Overwrites the scrambled entry count in the header.
inline void SetStoredCount(std::vector<std::uint8_t>& pack, std::int32_t count, std::uint32_t key) {
    pack::PutU32(pack, 4, pack::Scramble(static_cast<std::uint32_t>(count), key));
}

// Overwrites the scrambled name length of directory record i.
inline void SetStoredNameLength(std::vector<std::uint8_t>& pack, std::uint32_t i, std::int32_t length,
                                std::uint32_t key) {
    pack::PutU32(pack, pack::kHeaderSize + pack::kRecordSize * i, pack::Scramble(static_cast<std::uint32_t>(length), key));
}
