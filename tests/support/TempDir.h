#pragma once
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "base/FilePath.h"

// A fresh folder that is the working directory for the life of the object (the game reads and
// writes its files relative to it), removed afterwards.
class ScopedTempDir {
public:
    ScopedTempDir() {
        std::random_device entropy;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("velmoria-test-" + std::to_string(entropy()));
        } while (!std::filesystem::create_directory(path_));
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~ScopedTempDir() {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
        std::filesystem::remove_all(path_, error);
    }
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::string text;
    if (std::FILE* file = OpenFile(path, "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, n);
        }
        std::fclose(file);
    }
    return text;
}
