#include "resource/FileWriter.h"

#include <cstdio>

#include "base/FilePath.h"

namespace {

class DiskWriter final : public FileWriter {
public:
    bool WriteAll(const std::string& path, const std::uint8_t* bytes, std::size_t size) override {
        std::FILE* file = OpenFile(path, "wb");
        if (file == nullptr) {
            return false;
        }
        bool written = (size == 0 || std::fwrite(bytes, 1, size, file) == size) && std::fflush(file) == 0;
        // The rename that follows must not reach the disk before the data does.
        written = written && SyncToDisk(file);
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
    if (writer.WriteAll(temporary, bytes.data(), bytes.size()) &&
        RenameOver(PathFromUtf8(temporary), PathFromUtf8(path))) {
        return true;
    }
    std::error_code ignored;
    std::filesystem::remove(PathFromUtf8(temporary), ignored);
    return false;
}
