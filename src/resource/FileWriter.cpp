#include "resource/FileWriter.h"

#include <unistd.h>

#include <cstdio>

namespace {

class DiskWriter final : public FileWriter {
public:
    bool WriteAll(const std::string& path, const std::uint8_t* bytes, std::size_t size) override {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            return false;
        }
        bool written = (size == 0 || std::fwrite(bytes, 1, size, file) == size) && std::fflush(file) == 0;
        // The rename that follows must not reach the disk before the data does.
        written = written && fsync(fileno(file)) == 0;
        return std::fclose(file) == 0 && written;
    }
};

}  // namespace

FileWriter& DiskFileWriter() {
    static DiskWriter writer;
    return writer;
}

bool ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes, FileWriter& writer) {
    const std::string temporary = path + ".tmp";
    if (writer.WriteAll(temporary, bytes.data(), bytes.size()) && std::rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    std::remove(temporary.c_str());
    return false;
}
