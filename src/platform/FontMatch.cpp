#include "platform/FontMatch.h"

#if defined(_WIN32) || defined(__EMSCRIPTEN__)
#define VELMORIA_SHIPPED_FONTS 1
#include <array>
#include <cstring>
#include <string_view>

#include "platform/SystemFolders.h"
#else
#include <fontconfig/fontconfig.h>
#endif

namespace platform {

#ifdef VELMORIA_SHIPPED_FONTS

namespace {

struct ShippedFont {
    std::string_view family;
    const char* file;
};
constexpr std::array<ShippedFont, 2> kShipped{{
    {"IPAGothic", "ipag.ttf"},
    {"DejaVu Sans", "DejaVuSans.ttf"},
}};

// Windows: the "fonts" folder beside the game. A browser: the folder the page writes the fonts
// it fetched into, in the page's file system.
std::filesystem::path ShippedFontsFolder() {
#ifdef __EMSCRIPTEN__
    return "/fonts";
#else
    return ExecutableFolder("") / "fonts";
#endif
}

}  // namespace

FontMatch::FontMatch() = default;
FontMatch::~FontMatch() = default;

bool FontMatch::Find(const std::string& family, const char* language, FontFile& file) const {
    const char* name = kShipped[0].file;  // Japanese covers the most; it stands in for the unknown
    if (language == nullptr || std::strcmp(language, "ja") != 0) {
        for (const ShippedFont& shipped : kShipped) {
            if (family == shipped.family) {
                name = shipped.file;
            }
        }
    }
    file.path = ShippedFontsFolder() / name;
    file.index = 0;
    std::error_code ignored;
    return std::filesystem::is_regular_file(file.path, ignored);
}

#else

FontMatch::FontMatch() { FcInit(); }

// Fontconfig keeps its configuration until told to let go of it.
FontMatch::~FontMatch() { FcFini(); }

bool FontMatch::Find(const std::string& family, const char* language, FontFile& file) const {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return false;
    }
    if (!family.empty()) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
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
    FcChar8* path = nullptr;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr;
    if (found) {
        file.path = reinterpret_cast<const char*>(path);
        file.index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
    }
    FcPatternDestroy(match);
    return found;
}

#endif

}  // namespace platform
