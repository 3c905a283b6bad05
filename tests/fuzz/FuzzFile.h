#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// The readers under test read files, so every input is written to a file in a private folder
// that is also the working directory (the save file lives there by name).
inline const std::string& FuzzFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/velmoria-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) {
            std::abort();
        }
        return std::string(pattern);
    }();
    return folder;
}

inline std::string WriteFuzzInput(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = FuzzFolder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
    return path;
}
