#pragma once
#include <cstdarg>
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/Texture.h"

namespace gfx {
class Device;
}
struct FT_FaceRec_;

// A texture the game writes text into, glyph by glyph, to be shown by an ordinary sprite.
// Strings are UTF-8. The usual sequence: Clear, SetFont, SetGreyGlyphs, SetColour, Print (one or
// more), ReleaseFont. Text is meant to be rendered when it changes, not every frame.
class TextTexture {
public:
    static constexpr int kPrintBufferSize = 256;

    TextTexture();
    virtual ~TextTexture();

    TextTexture(const TextTexture&) = delete;
    TextTexture& operator=(const TextTexture&) = delete;

    // Sides are rounded up to powers of two. Always true; a device that makes no texture leaves
    // every later call drawing nothing.
    bool Create(gfx::Device* device, int width, int height);
    gfx::Texture* GetTexture() const { return texture_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Back to scale 1 and no rotation, and every texel transparent.
    void Clear();
    // height is the font's cell height in pixels (ascent plus descent). "Tahoma" and "MSゴシック"
    // map to installed families; an unknown family gets the nearest installed one.
    void SetFont(const std::string& family, int height);
    void ReleaseFont();
    void SetColour(std::uint32_t argb);
    void SetGreyGlyphs(bool flag);
    void SetClearCell(bool flag);
    // How Latin letters are spaced: as the language in use sets them (Japanese keeps the ink
    // layout it was designed with, a translation uses the font's advances and kerning), or by
    // advances whatever the language, for the game's own Latin signs.
    enum class Spacing { AsLanguage, ByAdvances };
    void SetSpacing(Spacing spacing);
    void SetScale(float sx, float sy);
    void SetRotation(float radians);
    void SetPen(int x, int y);
    void NewLine(int x);

    // printf-style; output longer than the buffer is cut at a character boundary.
    void Print(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    void PrintHere(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // How far the pen moves over a line of UTF-8 text in the current font, and where its ink
    // ends, in pixels from the pen; nothing is drawn and the pen stays where it was. Needs a font
    // set, like Print.
    struct Extent {
        int advance;
        int inkRight;
    };
    Extent MeasureLine(const std::string& text);

    int PenX() const { return penX_; }
    int PenY() const { return penY_; }

    // The 65 levels of an anti-aliased glyph mapped to alpha.
    std::uint8_t greyTable[65];

private:
    struct Metrics {
        int ascent;
        int textHeight;
        int externalLeading;
    };
    struct GlyphBox;

    void FormatAndDraw(const char* format, va_list arguments) __attribute__((format(printf, 2, 0)));
    void DrawString(const char* text);
    void DrawGlyph(std::uint32_t codePoint, std::uint32_t* pixels, const Metrics& metrics);
    void BlitGlyph(const GlyphBox& glyph, std::uint32_t* pixels, int left, int top) const;
    void ClearCell(std::uint32_t* pixels, int left, int width, int rows) const;
    Metrics SizeFaces() const;
    void UpdateTransform();
    // The kerning between the glyph drawn last and this one, in whole pixels.
    int Kerning(FT_FaceRec_* face, unsigned index) const;

    std::unique_ptr<gfx::Texture> texture_;
    int width_ = 0;
    int height_ = 0;
    FT_FaceRec_* face_ = nullptr;  // shared, owned by the font library
    int fontHeight_ = 0;
    float scaleX_ = 1.0f;
    float scaleY_ = 1.0f;
    int penX_ = 0;
    int penY_ = 0;
    float rotation_ = 0.0f;
    long transform_[4] = {0x10000, 0, 0, 0x10000};  // 16.16: xx, xy, yx, yy
    bool greyGlyphs_ = true;
    std::uint8_t alpha_ = 0;
    std::uint32_t colour_ = 0;
    bool clearCell_ = false;
    bool measuring_ = false;  // glyphs move the pen but leave no ink
    int inkRight_ = 0;        // while measuring: the rightmost column of ink so far
    bool byAdvances_ = false;  // set by the font's advances and kerning rather than by ink
    Spacing spacing_ = Spacing::AsLanguage;
    FT_FaceRec_* previousFace_ = nullptr;
    unsigned previousGlyph_ = 0;  // the glyph before, for kerning; 0 at a line's start
};
