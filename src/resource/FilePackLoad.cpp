#include "resource/FilePackLoad.h"

#include "base/Language.h"
#include "gfx/ImageTexture.h"
#include "platform/Fatal.h"
#include "resource/BinaryFile.h"
#include "resource/ImageVariant.h"
#include "resource/PackDirectory.h"

bool CFilePackLoad::Open(const std::string& path, gfx::Device* device) {
    if (!TryOpen(path, device)) {
        platform::FatalError(nullptr, N_MESSAGE("ファイルが見つかりません"));
        return false;
    }
    return true;
}

bool CFilePackLoad::TryOpen(const std::string& path, gfx::Device* device) {
    directory_.clear();
    path_.clear();
    key_ = 0;
    device_ = device;
    BinaryFile file;
    if (!file.Open(path)) {
        return false;
    }
    path_ = path;
    std::vector<pack::DirectoryRecord> records;
    pack::ReadDirectory(file, key_, records);
    for (pack::DirectoryRecord& record : records) {
        // try_emplace keeps the first record under a name; later duplicates are dropped.
        const std::string name = record.name;
        directory_.try_emplace(name, Entry{std::move(record.name), record.first, record.second});
    }
    return true;
}

std::unique_ptr<gfx::Texture> CFilePackLoad::GetPicture(const std::string& name) const {
    return GetTexture(
        image_variant::InUse(name, [this](const std::string& variant) { return directory_.count(variant) != 0; }));
}

std::unique_ptr<gfx::Texture> CFilePackLoad::GetTexture(const std::string& name) const {
    std::vector<std::uint8_t> bytes;
    if (!ReadEntry(name, bytes)) {
        return nullptr;
    }
    return CreateTextureFromImageBytes(device_, bytes.data(), bytes.size());
}

void CFilePackLoad::FindOffset(const std::string& name, std::uint32_t& offset) const {
    const auto found = directory_.find(name);
    if (found != directory_.end()) {
        offset = found->second.offset;
    }
}

bool CFilePackLoad::ReadEntry(const std::string& name, std::vector<std::uint8_t>& bytes) const {
    bytes.clear();
    const auto found = directory_.find(name);
    if (found == directory_.end()) {
        return false;
    }
    BinaryFile file;
    if (!file.Open(path_)) {
        return false;
    }
    const Entry& entry = found->second;
    // Checked before allocating, so a hostile size never asks for gigabytes.
    if (entry.offset > file.Size() || entry.size > file.Size() - entry.offset) {
        return false;
    }
    bytes.resize(entry.size);
    if (!file.ReadAt(entry.offset, bytes.data(), bytes.size())) {
        bytes.clear();
        return false;
    }
    return true;
}
