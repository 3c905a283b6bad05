#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/GameFolders.h"
#include "resource/FileWriter.h"

// The readers under test read files, so every input is written to a file in a private folder.
// The working directory never changes (libFuzzer reads and writes its corpus by the paths it was
// given); instead the folder is the game's packs and player's folder, so "save.dat" and "log.txt"
// are found there by name. The folder is made under $TMPDIR (or /tmp) and removed when the run
// ends normally; scripts/fuzz points TMPDIR at a folder of its own, so even a crash, which ends
// the process without running exit handlers, leaves nothing in /tmp.
class FuzzFolder {
public:
    static const std::filesystem::path& Path() {
        static const FuzzFolder folder;
        return folder.path_;
    }

    ~FuzzFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

private:
    FuzzFolder() {
        const char* parent = std::getenv("TMPDIR");
        std::string pattern = std::string(parent != nullptr && *parent != '\0' ? parent : "/tmp") + "/velmoria-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
        SetFolders({path_, path_});
    }

    std::filesystem::path path_;
};

inline bool WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

// Writes the input as the named file of the private folder and gives its path.
inline std::string WriteFuzzInput(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (FuzzFolder::Path() / name).string();
    if (!WriteWholeFile(path, data, size)) {
        std::abort();
    }
    return path;
}

// The game's writers flush every file to the disk before renaming it into place; scratch files
// need not survive a power cut, and skipping that keeps a target fast.
class ScratchFileWriter final : public FileWriter {
public:
    bool WriteAll(const std::string& path, const std::uint8_t* bytes, std::size_t size) override {
        return WriteWholeFile(path, bytes, size);
    }
};
