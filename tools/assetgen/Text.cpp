#include "Text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace assetgen {

namespace {

std::string FindFontFile(FcConfig* config, const char* pattern) {
    std::string path;
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (query == nullptr) {
        return path;
    }
    FcConfigSubstitute(config, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, query, &result);
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        path = reinterpret_cast<const char*>(file);
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(query);
    return path;
}

// The faces live for the whole run of the generator; it is a short-lived tool.
class FontLibrary {
public:
    FontLibrary() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return;
        }
        // A configuration of our own, released as soon as the faces are found, so the
        // generator leaves nothing of fontconfig's behind.
        FcConfig* config = FcInitLoadConfigAndFonts();
        faces_[0] = Open(config, "IPAGothic");
        faces_[1] = Open(config, "DejaVu Sans");
        faces_[2] = Open(config, "DejaVu Sans:bold");
        faces_[3] = Open(config, "DejaVu Sans Condensed:bold");
        if (config != nullptr) {
            FcConfigDestroy(config);
        }
    }
    ~FontLibrary() {
        for (FT_Face face : faces_) {
            if (face != nullptr) {
                FT_Done_Face(face);
            }
        }
        if (library_ != nullptr) {
            FT_Done_FreeType(library_);
        }
    }
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    FT_Face Face(Font font) const { return faces_[static_cast<int>(font)]; }
    FT_Face Fallback() const { return faces_[0]; }

private:
    FT_Face Open(FcConfig* config, const char* pattern) {
        const std::string path = config != nullptr ? FindFontFile(config, pattern) : std::string();
        FT_Face face = nullptr;
        if (library_ == nullptr || path.empty() || FT_New_Face(library_, path.c_str(), 0, &face) != 0) {
            return nullptr;
        }
        return face;
    }

    FT_Library library_ = nullptr;
    FT_Face faces_[4] = {nullptr, nullptr, nullptr, nullptr};
};

FontLibrary& Fonts() {
    static FontLibrary fonts;
    return fonts;
}

std::vector<std::uint32_t> DecodeUtf8(const std::string& text) {
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        std::uint32_t code = extra == 0 ? c : c & (0x3F >> extra);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i) {
            code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        out.push_back(code);
    }
    return out;
}

FT_Face FaceFor(Font font, std::uint32_t code, float size) {
    FT_Face face = Fonts().Face(font);
    if (face == nullptr || FT_Get_Char_Index(face, code) == 0) {
        face = Fonts().Fallback();
    }
    if (face != nullptr) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::lround(size)));
    }
    return face;
}

// Renders the text's coverage into an alpha-only canvas with the pen starting at (pad, baseline).
Canvas RenderMask(const std::string& text, const TextStyle& style, float& advance) {
    const std::vector<std::uint32_t> codes = DecodeUtf8(text);
    const int pad = static_cast<int>(std::ceil(style.size * 0.5f));
    const int width = static_cast<int>(std::ceil(style.size * 1.2f * static_cast<float>(codes.size()))) + 2 * pad;
    const int height = static_cast<int>(std::ceil(style.size * 1.6f)) + 2 * pad;
    const int baseline = pad + static_cast<int>(std::ceil(style.size * 1.1f));
    Canvas mask(width, height);
    float pen = static_cast<float>(pad);
    FT_Face previousFace = nullptr;
    FT_UInt previous = 0;
    for (const std::uint32_t code : codes) {
        FT_Face face = FaceFor(style.font, code, style.size);
        const FT_UInt index = face != nullptr ? FT_Get_Char_Index(face, code) : 0;
        if (face == nullptr || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) {
            continue;
        }
        if (style.kerning && face == previousFace && previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector delta{};
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &delta) == 0) {
                pen += static_cast<float>(delta.x) / 64.0f;
            }
        }
        previousFace = face;
        previous = index;
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        const int left = static_cast<int>(std::lround(pen)) + glyph->bitmap_left;
        const int top = baseline - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const float a =
                    static_cast<float>(bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col]) / 255.0f;
                const int x = left + static_cast<int>(col);
                const int y = top + static_cast<int>(row);
                if (a > 0.0f && x >= 0 && y >= 0 && x < width && y < height) {
                    const float old = mask.Get(x, y).a;
                    mask.Set(x, y, {1, 1, 1, std::max(old, a)});
                }
            }
        }
        pen += static_cast<float>(glyph->advance.x) / 64.0f;
    }
    advance = pen - static_cast<float>(pad);
    return mask;
}

struct InkBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

InkBox FindInk(const Canvas& mask) {
    InkBox box{mask.Width(), mask.Height(), 0, 0};
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            if (mask.Get(x, y).a > 0.0f) {
                box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x + 1), std::max(box.y1, y + 1)};
            }
        }
    }
    return box;
}

}  // namespace

bool FontsReady(std::string& problem) {
    const struct {
        Font font;
        std::uint32_t sample;
        const char* family;
    } needs[] = {{Font::Japanese, 0x3042, "IPAGothic"},
                 {Font::Japanese, 0x8853, "IPAGothic"},
                 {Font::Latin, 'A', "DejaVu Sans"},
                 {Font::LatinBold, 'A', "DejaVu Sans Bold"},
                 {Font::LatinNarrowBold, 'A', "DejaVu Sans Condensed Bold"}};
    for (const auto& need : needs) {
        const FT_Face face = Fonts().Face(need.font);
        if (face == nullptr || FT_Get_Char_Index(face, need.sample) == 0) {
            problem = std::string("no usable font for ") + need.family +
                      " (install fonts-ipafont-gothic and fonts-dejavu-core)";
            return false;
        }
    }
    return true;
}

float InkWidth(const std::string& text, const TextStyle& style) {
    if (Fonts().Face(style.font) == nullptr && Fonts().Fallback() == nullptr) {
        return 0.0f;
    }
    float advance = 0.0f;
    const InkBox ink = FindInk(RenderMask(text, style, advance));
    return ink.x1 > ink.x0 ? static_cast<float>(ink.x1 - ink.x0) : 0.0f;
}

bool DrawText(Canvas& canvas, const std::string& text, float x, float centreY, Align align, const TextStyle& style) {
    if (Fonts().Face(style.font) == nullptr && Fonts().Fallback() == nullptr) {
        return false;
    }
    float advance = 0.0f;
    const Canvas mask = RenderMask(text, style, advance);
    const InkBox ink = FindInk(mask);
    if (ink.x1 <= ink.x0) {
        return true;
    }
    const float inkWidth = static_cast<float>(ink.x1 - ink.x0);
    const float left = align == Align::Left ? x : align == Align::Centre ? x - inkWidth * 0.5f : x - inkWidth;
    // Whole-pixel placement keeps small captions crisp.
    const float offsetX = std::round(left) - static_cast<float>(ink.x0);
    const float offsetY = std::round(centreY - static_cast<float>(ink.y1 - ink.y0) * 0.5f) - static_cast<float>(ink.y0);

    Canvas layer(mask.Width(), mask.Height());
    for (int py = 0; py < mask.Height(); ++py) {
        for (int px = 0; px < mask.Width(); ++px) {
            const float a = mask.Get(px, py).a;
            if (a > 0.0f) {
                const Color c =
                    style.fill(static_cast<float>(px) + offsetX + 0.5f, static_cast<float>(py) + offsetY + 0.5f);
                layer.Set(px, py, WithAlpha(c, c.a * a));
            }
        }
    }
    if (style.outline.a > 0.0f && style.outlineWidth > 0.0f) {
        layer.AddOutline(style.outline, style.outlineWidth);
    }
    if (style.glow.a > 0.0f) {
        layer.AddHalo(style.size * 0.25f, style.glow, 2.0f);
    }
    if (style.shadow.a > 0.0f) {
        Canvas shadow(layer.Width(), layer.Height());
        for (int py = 0; py < layer.Height(); ++py) {
            for (int px = 0; px < layer.Width(); ++px) {
                shadow.Set(px, py, WithAlpha(style.shadow, style.shadow.a * layer.Get(px, py).a));
            }
        }
        const float drop = std::max(1.0f, std::round(style.size / 14.0f));
        canvas.Draw(shadow, offsetX + drop, offsetY + drop);
    }
    canvas.Draw(layer, offsetX, offsetY);
    return true;
}

}  // namespace assetgen
