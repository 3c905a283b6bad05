#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// A file opened for binary reading, closed when the object goes. Every read names its offset and
// either delivers all the bytes asked for or fails, so readers of hostile files never act on
// bytes that are not there.
class BinaryFile {
public:
    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // False when the path cannot be opened or is not a regular file (a folder, say).
    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    std::uint64_t Size() const { return size_; }

    // True only when all count bytes at offset lie in the file and were read.
    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t count);
    // A 32-bit little-endian number.
    bool ReadU32At(std::uint64_t offset, std::uint32_t& value);

private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
};

// The 32-bit little-endian number at bytes[0..3].
inline std::uint32_t LoadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}
