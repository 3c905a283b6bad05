#include "audio/RiffReader.h"

#include <algorithm>

#include "base/FilePath.h"

namespace audio {

namespace {
constexpr std::uint64_t kChunkHeaderSize = 8;
constexpr std::uint32_t kRiffId = FourCC('R', 'I', 'F', 'F');
}  // namespace

RiffReader::~RiffReader() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool RiffReader::Open(const std::string& path) {
    Adopt(OpenFile(path, "rb"));
    return file_ != nullptr;
}

void RiffReader::Adopt(std::FILE* file) {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
    file_ = file;
    fileSize_ = 0;
    position_ = 0;
    if (file_ != nullptr && std::fseek(file_, 0, SEEK_END) == 0) {
        const long size = std::ftell(file_);
        fileSize_ = size > 0 ? static_cast<std::uint64_t>(size) : 0;
        std::fseek(file_, 0, SEEK_SET);
    }
}

bool RiffReader::Seek(std::uint64_t offset) {
    if (file_ == nullptr || offset > fileSize_ || std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
        return false;
    }
    position_ = offset;
    return true;
}

std::size_t RiffReader::Read(void* bytes, std::size_t count) {
    if (file_ == nullptr) {
        return 0;
    }
    const std::size_t got = std::fread(bytes, 1, count, file_);
    position_ += got;
    return got;
}

bool RiffReader::ReadU32(std::uint32_t& value) {
    std::uint8_t bytes[4];
    if (Read(bytes, sizeof bytes) != sizeof bytes) {
        return false;
    }
    value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

bool RiffReader::Descend(RiffChunk& chunk) {
    RiffChunk read;
    if (!ReadU32(read.id) || !ReadU32(read.size)) {
        return false;
    }
    read.dataOffset = position_;
    if (read.id == kRiffId && !ReadU32(read.formType)) {
        return false;
    }
    chunk = read;
    return true;
}

bool RiffReader::FindChunk(const RiffChunk& parent, std::uint32_t id, RiffChunk& found) {
    const std::uint64_t parentEnd = std::min(parent.dataOffset + parent.size, fileSize_);
    std::uint64_t at = position_;
    while (at + kChunkHeaderSize <= parentEnd) {
        RiffChunk chunk;
        if (!Seek(at) || !Descend(chunk)) {
            return false;
        }
        if (chunk.id == id) {
            found = chunk;
            return true;
        }
        at = chunk.dataOffset + chunk.size + (chunk.size & 1u);
    }
    return false;
}

bool RiffReader::Ascend(const RiffChunk& chunk) {
    const std::uint64_t end = chunk.dataOffset + chunk.size;
    if (end > fileSize_) {
        return false;
    }
    return Seek(std::min(end + (chunk.size & 1u), fileSize_));
}

}  // namespace audio
