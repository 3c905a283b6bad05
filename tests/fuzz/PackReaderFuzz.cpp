#include "FuzzFile.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FilePackLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gfx::HeadlessFrameSink sink;
    static gfx::SoftwareDevice device(&sink);
    const std::string path = WriteFuzzInput("pack.dat", data, size);
    CFilePackLoad pack;
    if (!pack.TryOpen(path, &device)) {
        std::abort();
    }
    std::vector<std::uint8_t> bytes;
    for (const auto& [name, entry] : pack.Entries()) {
        std::uint32_t offset = 0xFFFFFFFFu;
        pack.FindOffset(name, offset);
        if (offset != entry.offset || name.size() > 31) {
            std::abort();
        }
        if (pack.ReadEntry(name, bytes) && bytes.size() != entry.size) {
            std::abort();
        }
    }
    if (!pack.Entries().empty()) {
        pack.GetTexture(pack.Entries().begin()->first);
    }
    return 0;
}
