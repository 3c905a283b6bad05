// libFuzzer target: any bytes as a pack. The directory never names more than 31 characters or
// an offset other than its own, every entry that reads gives its recorded size, and the entries
// that read, packed again by our writer, read back the same.
#include "FuzzFile.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FilePackLoad.h"
#include "resource/PackWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gfx::HeadlessFrameSink sink;
    static gfx::SoftwareDevice device(&sink);
    const std::string path = WriteFuzzInput("pack.dat", data, size);
    CFilePackLoad pack;
    if (!pack.TryOpen(path, &device)) {
        std::abort();
    }
    std::vector<std::uint8_t> bytes;
    std::vector<pack::Entry> readable;
    for (const auto& [name, entry] : pack.Entries()) {
        std::uint32_t offset = 0xFFFFFFFFu;
        pack.FindOffset(name, offset);
        if (offset != entry.offset || name.size() > 31) {
            std::abort();
        }
        if (pack.ReadEntry(name, bytes)) {
            if (bytes.size() != entry.size) {
                std::abort();
            }
            readable.push_back({name, bytes, 0});
        }
    }
    std::vector<std::uint8_t> repacked;
    std::string error;
    if (!pack::BuildPack(readable, pack.Key(), repacked, error)) {
        std::abort();
    }
    CFilePackLoad again;
    if (!again.TryOpen(WriteFuzzInput("again.dat", repacked.data(), repacked.size())) ||
        again.Entries().size() != readable.size()) {
        std::abort();
    }
    for (const pack::Entry& entry : readable) {
        if (!again.ReadEntry(entry.name, bytes) || bytes != entry.bytes) {
            std::abort();
        }
    }
    if (!pack.Entries().empty()) {
        pack.GetTexture(pack.Entries().begin()->first);
    }
    return 0;
}
