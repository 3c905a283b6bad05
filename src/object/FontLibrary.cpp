#include "object/FontLibrary.h"

#include <cstdio>
#include <memory>

#include "base/FilePath.h"

namespace {

// The fonts the game was designed with, and what stands in for them here.
struct FamilyAlias {
    const char* wanted;
    const char* installed;
};
constexpr FamilyAlias kAliases[] = {
    {"Tahoma", "DejaVu Sans"},
    {"MSゴシック", "IPAGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS Gothic", "IPAGothic"},
};
constexpr const char* kJapaneseFamily = "IPAGothic";

const char* Installed(const std::string& family) {
    for (const FamilyAlias& alias : kAliases) {
        if (family == alias.wanted) {
            return alias.installed;
        }
    }
    return family.c_str();
}

bool ReadFontFile(const std::filesystem::path& path, std::vector<FT_Byte>& bytes) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFile(path, "rb"), &std::fclose);
    if (file == nullptr) {
        return false;
    }
    FT_Byte chunk[65536];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return std::ferror(file.get()) == 0 && !bytes.empty();
}

}  // namespace

FontLibrary& FontLibrary::Instance() {
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary() {
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
    }
}

FontLibrary::~FontLibrary() {
    for (auto& [file, face] : facesByFile_) {
        FT_Done_Face(face);
    }
    if (library_ != nullptr) {
        FT_Done_FreeType(library_);
    }
}

FT_Face FontLibrary::OpenMatch(const std::string& family, const char* language) {
    platform::FontFile file;
    if (library_ == nullptr || !match_.Find(family, language, file)) {
        return nullptr;
    }
    const std::string key = Utf8Of(file.path) + '#' + std::to_string(file.index);
    const auto open = facesByFile_.find(key);
    if (open != facesByFile_.end()) {
        return open->second;
    }
    // The face reads the font from memory: FreeType's own file opening takes narrow paths, which
    // on Windows cannot name every folder.
    std::vector<FT_Byte>& bytes = fontBytes_.emplace_back();
    if (!ReadFontFile(file.path, bytes)) {
        fontBytes_.pop_back();
        return nullptr;
    }
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library_, bytes.data(), static_cast<FT_Long>(bytes.size()), file.index, &face) != 0) {
        fontBytes_.pop_back();
        return nullptr;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    facesByFile_[key] = face;
    return face;
}

FT_Face FontLibrary::FaceFor(const std::string& family) {
    const auto known = facesByFamily_.find(family);
    if (known != facesByFamily_.end()) {
        return known->second;
    }
    FT_Face face = OpenMatch(Installed(family), nullptr);
    if (face == nullptr) {
        face = FallbackFace();
    }
    if (face != nullptr) {
        facesByFamily_[family] = face;
    }
    return face;
}

FT_Face FontLibrary::FallbackFace() {
    if (!fallbackLooked_) {
        fallbackLooked_ = true;
        fallback_ = OpenMatch(kJapaneseFamily, "ja");
    }
    return fallback_;
}
