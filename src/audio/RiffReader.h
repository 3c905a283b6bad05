#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace audio {

constexpr std::uint32_t FourCC(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(d)) << 24;
}

// One chunk: its id, the size its header claims, the form type of a "RIFF" chunk and the file
// offset of its data (for "RIFF", the offset of the form type, which the size includes).
struct RiffChunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    std::uint32_t formType = 0;
    std::uint64_t dataOffset = 0;
};

// Walks the chunks of a RIFF file that may start anywhere inside a bigger file (a pack entry):
// descend into the chunk at the current position, find a sub-chunk, ascend past a chunk, read.
// Nothing is read outside the file, and a search never leaves its parent chunk.
class RiffReader {
public:
    RiffReader() = default;
    ~RiffReader();
    RiffReader(const RiffReader&) = delete;
    RiffReader& operator=(const RiffReader&) = delete;

    bool Open(const std::string& path);
    // Takes over an already open file (the fuzzer reads from memory this way).
    void Adopt(std::FILE* file);
    bool IsOpen() const { return file_ != nullptr; }
    std::uint64_t FileSize() const { return fileSize_; }

    bool Seek(std::uint64_t offset);
    // Reads the chunk header at the current position and leaves the position at its data
    // ("RIFF": after the form type).
    bool Descend(RiffChunk& chunk);
    // Searches the parent's sub-chunks from the current position for the id and descends into it.
    bool FindChunk(const RiffChunk& parent, std::uint32_t id, RiffChunk& found);
    // Moves past the end of the chunk (and its pad byte); false when the chunk runs past the file.
    bool Ascend(const RiffChunk& chunk);
    // Reads up to count bytes at the current position; returns how many came.
    std::size_t Read(void* bytes, std::size_t count);

private:
    bool ReadU32(std::uint32_t& value);

    std::FILE* file_ = nullptr;
    std::uint64_t fileSize_ = 0;
    std::uint64_t position_ = 0;
};

}  // namespace audio
