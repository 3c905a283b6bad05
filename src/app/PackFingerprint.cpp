#include "app/PackFingerprint.h"

#include <fstream>
#include <vector>

#include "base/GameFolders.h"
#include "resource/PackNames.h"

namespace {

// FNV-1a, 64 bits.
void Mix(std::uint64_t& hash, const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<std::uint8_t>(bytes[i])) * 1099511628211ull;
    }
}

std::uint64_t ReadFingerprint() {
    std::uint64_t hash = 14695981039346656037ull;
    std::vector<char> chunk(1 << 16);
    for (const char* name : {pack::kWaveDataPack, pack::kGraphicsPack}) {
        Mix(hash, name, std::char_traits<char>::length(name) + 1);
        std::ifstream file(Folders().Pack(name), std::ios::binary);
        while (file) {
            file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            Mix(hash, chunk.data(), static_cast<std::size_t>(file.gcount()));
        }
    }
    return hash;
}

}  // namespace

std::uint64_t PackFingerprint() {
    static const std::uint64_t fingerprint = ReadFingerprint();
    return fingerprint;
}
