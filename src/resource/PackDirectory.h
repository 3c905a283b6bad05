#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "resource/BinaryFile.h"

// The directory of the pack container, shared by the image and sound packs and the wave data.
namespace pack {

// One directory record, unscrambled. Packs keep the entry size in `first` and its offset in
// `second`; the wave data keeps the record count, the records' offset and the starting points.
struct DirectoryRecord {
    std::string name;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    std::uint32_t third = 0;
};

// Reads the key and every record in file order. The count is taken as signed, so zero or less
// means an empty directory, and a count larger than the file stops at the last whole record.
// A stored name length above 31 keeps the first 31 characters; a name ends at its first zero
// byte. A file too short for a header reads as an empty directory with key 0.
void ReadDirectory(BinaryFile& file, std::uint32_t& key, std::vector<DirectoryRecord>& records);

}  // namespace pack
