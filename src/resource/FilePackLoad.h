#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Device.h"

// Reads the directory of a pack archive (the graphics, effect or music pack) and hands out its
// entries by name. No file stays open between calls: every read opens and closes the pack, so
// two readers of the same pack on different threads never share a handle.
class CFilePackLoad {
public:
    struct Entry {
        std::string name;
        std::uint32_t size = 0;
        std::uint32_t offset = 0;  // from the start of the file
    };
    // Ordered by plain byte-wise comparison of the names; walking it visits entries in that order.
    using Directory = std::map<std::string, Entry>;

    CFilePackLoad() = default;
    virtual ~CFilePackLoad() = default;

    // Reads the directory. A pack that cannot be opened ends the game with "ファイルが見つかりません"
    // (platform::FatalError); this then gives false and an empty directory.
    bool Open(const std::string& path, gfx::Device* device = nullptr);
    // The same, but a pack that cannot be opened gives false and an empty directory.
    bool TryOpen(const std::string& path, gfx::Device* device = nullptr);

    // A new texture made from the named image entry; null when the name is absent, the entry
    // lies outside the file or the image does not decode.
    std::unique_ptr<gfx::Texture> GetTexture(const std::string& name) const;
    // The same for the picture in the language in use: its variant's entry when the pack has one
    // (see resource/ImageVariant.h), for the screens drawn before the registry is filled.
    std::unique_ptr<gfx::Texture> GetPicture(const std::string& name) const;
    // Writes the entry's offset when the name is present and leaves offset untouched otherwise.
    void FindOffset(const std::string& name, std::uint32_t& offset) const;
    // The entry's bytes; false when the name is absent or its bytes are not all in the file.
    bool ReadEntry(const std::string& name, std::vector<std::uint8_t>& bytes) const;

    const Directory& Entries() const { return directory_; }
    const std::string& Path() const { return path_; }
    std::uint32_t Key() const { return key_; }

private:
    gfx::Device* device_ = nullptr;
    std::string path_;
    std::uint32_t key_ = 0;
    Directory directory_;
};
