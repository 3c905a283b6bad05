#include "object/FontLibrary.h"

#include <fontconfig/fontconfig.h>


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

// Fontconfig's best file for the family (and language, when given): path and face index.
bool MatchFile(const char* family, const char* language, std::string& path, int& index) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return false;
    }
    if (family != nullptr && *family != '\0') {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    }
    if (language != nullptr) {
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language));
    }
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return false;
    }
    FcChar8* file = nullptr;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr;
    if (found) {
        path = reinterpret_cast<const char*>(file);
        index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
    }
    FcPatternDestroy(match);
    return found;
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
    FcInit();
}

FontLibrary::~FontLibrary() {
    for (auto& [file, face] : facesByFile_) {
        FT_Done_Face(face);
    }
    if (library_ != nullptr) {
        FT_Done_FreeType(library_);
    }
    // Fontconfig keeps its configuration until told to let go of it.
    FcFini();
}

FT_Face FontLibrary::OpenMatch(const std::string& family, const char* language) {
    std::string path;
    int index = 0;
    if (library_ == nullptr || !MatchFile(family.c_str(), language, path, index)) {
        return nullptr;
    }
    const std::string key = path + '#' + std::to_string(index);
    const auto open = facesByFile_.find(key);
    if (open != facesByFile_.end()) {
        return open->second;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library_, path.c_str(), index, &face) != 0) {
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
