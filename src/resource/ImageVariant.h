#pragma once
#include <functional>
#include <string>
#include <string_view>

// Pictures with words painted in them come in one variant per language beside the Japanese
// picture, in the same pack: "menu.png" in English is "menu.en.png". Everything else about a
// variant (size, bands, cells) is the Japanese picture's, so the code that draws it never knows.
namespace image_variant {

// The name of the picture's variant for the language (its code before the extension).
inline std::string NameIn(std::string_view name, std::string_view code) {
    const std::size_t dot = name.rfind('.');
    const std::size_t cut = dot == std::string_view::npos ? name.size() : dot;
    std::string variant(name.substr(0, cut));
    variant.append(".").append(code).append(name.substr(cut));
    return variant;
}

// The entry that shows the picture in the language in use: its variant when `present` finds
// one, otherwise the name itself (the Japanese picture).
std::string InUse(const std::string& name, const std::function<bool(const std::string&)>& present);

}  // namespace image_variant
