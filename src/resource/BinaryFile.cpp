#include "resource/BinaryFile.h"

#include <filesystem>

#include "base/FilePath.h"

BinaryFile::~BinaryFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool BinaryFile::Open(const std::string& path) {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
        size_ = 0;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    file_ = OpenFile(path, "rb");
    if (file_ == nullptr) {
        return false;
    }
    // The size of the handle we read through, not of whatever the path names a moment later.
    const long end = std::fseek(file_, 0, SEEK_END) == 0 ? std::ftell(file_) : -1;
    size_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    return true;
}

bool BinaryFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    if (file_ == nullptr || offset > size_ || count > size_ - offset) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
        return false;
    }
    return std::fread(buffer, 1, count, file_) == count;
}

bool BinaryFile::ReadU32At(std::uint64_t offset, std::uint32_t& value) {
    std::uint8_t bytes[4];
    if (!ReadAt(offset, bytes, sizeof bytes)) {
        return false;
    }
    value = LoadU32(bytes);
    return true;
}
