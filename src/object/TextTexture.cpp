#include "object/TextTexture.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "base/Language.h"
#include "gfx/Device.h"
#include "object/FontLibrary.h"
#include "object/Utf8.h"

namespace {

constexpr int kGreyLevels = 64;

int CeilPixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

// Kana, kanji, full-width forms and their punctuation are set on the font's full-width cell.
// At the panel's small sizes most kanji ink fills the cell to both edges, so spacing them by
// their ink alone would run them together while kana, which keep a bearing, stand apart.
bool SetOnFullWidthCell(std::uint32_t codePoint) {
    return (codePoint >= 0x2E80 && codePoint <= 0x9FFF) || (codePoint >= 0xF900 && codePoint <= 0xFAFF) ||
           (codePoint >= 0xFF01 && codePoint <= 0xFF60) || (codePoint >= 0xFFE0 && codePoint <= 0xFFE6);
}

// The blank column left between two full-width cells, so neighbouring kanji never touch.
constexpr float kFullWidthGap = 1.0f;

}  // namespace

// One rasterised glyph, in the terms the layout works with: the ink box, how far its top stands
// above the baseline, and the blank space on either side of the ink.
struct TextTexture::GlyphBox {
    const FT_Bitmap* bitmap;
    int width;
    int rows;
    int originY;
    int a;
    int c;
};

TextTexture::TextTexture() {
    for (int k = 0; k <= kGreyLevels; ++k) {
        greyTable[k] = static_cast<std::uint8_t>((k * 255) >> 6);
    }
}

TextTexture::~TextTexture() = default;

bool TextTexture::Create(gfx::Device* device, int width, int height) {
    texture_ = device != nullptr ? device->CreateTexture(width, height) : nullptr;
    width_ = texture_ ? texture_->Width() : 0;
    height_ = texture_ ? texture_->Height() : 0;
    return true;
}

void TextTexture::Clear() {
    scaleX_ = 1.0f;
    scaleY_ = 1.0f;
    rotation_ = 0.0f;
    UpdateTransform();
    if (!texture_) {
        return;
    }
    std::uint32_t* pixels = texture_->Lock();
    std::fill(pixels, pixels + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0u);
    texture_->Unlock();
}

void TextTexture::SetFont(const std::string& family, int height) {
    // Faces live in the font library, so setting a font again leaks nothing.
    std::lock_guard<std::mutex> lock(FontLibrary::Instance().Lock());
    face_ = FontLibrary::Instance().FaceFor(family);
    fontHeight_ = std::clamp(std::abs(height), 1, 1024);
}

void TextTexture::ReleaseFont() { face_ = nullptr; }

void TextTexture::SetColour(std::uint32_t argb) {
    alpha_ = static_cast<std::uint8_t>(argb >> 24);
    colour_ = argb & 0x00FFFFFFu;
}

void TextTexture::SetGreyGlyphs(bool flag) { greyGlyphs_ = flag; }

void TextTexture::SetClearCell(bool flag) { clearCell_ = flag; }

void TextTexture::SetSpacing(Spacing spacing) { spacing_ = spacing; }

void TextTexture::SetScale(float sx, float sy) {
    scaleX_ = sx;
    scaleY_ = sy;
    UpdateTransform();
}

void TextTexture::SetRotation(float radians) {
    rotation_ = radians;
    UpdateTransform();
}

void TextTexture::SetPen(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void TextTexture::NewLine(int x) {
    penX_ = x;
    penY_ += static_cast<int>(static_cast<float>(fontHeight_) * scaleY_);
}

void TextTexture::UpdateTransform() {
    const double c = std::cos(rotation_);
    const double s = std::sin(rotation_);
    transform_[0] = std::lround(scaleX_ * c * 65536.0);
    transform_[1] = std::lround(-scaleX_ * s * 65536.0);
    transform_[2] = std::lround(scaleY_ * s * 65536.0);
    transform_[3] = std::lround(scaleY_ * c * 65536.0);
}

void TextTexture::Print(int x, int y, const char* format, ...) {
    penX_ = x;
    penY_ = y;
    va_list arguments;
    va_start(arguments, format);
    FormatAndDraw(format, arguments);
    va_end(arguments);
}

void TextTexture::PrintHere(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    FormatAndDraw(format, arguments);
    va_end(arguments);
}

void TextTexture::FormatAndDraw(const char* format, va_list arguments) {
    char buffer[kPrintBufferSize];
    const int written = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    if (written < 0) {
        return;
    }
    if (written >= kPrintBufferSize) {
        buffer[Utf8CutLength(buffer, kPrintBufferSize - 1)] = '\0';
    }
    DrawString(buffer);
}

TextTexture::Metrics TextTexture::SizeFaces() const {
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_CELL, 0, static_cast<FT_Long>(fontHeight_) * 64, 0, 0};
    FT_Request_Size(face_, &request);
    if (FT_Face fallback = FontLibrary::Instance().FallbackFace(); fallback != nullptr && fallback != face_) {
        FT_Request_Size(fallback, &request);
    }
    const FT_Size_Metrics& size = face_->size->metrics;
    const int ascent = CeilPixels(size.ascender);
    const int descent = CeilPixels(-size.descender);
    const int lineHeight = CeilPixels(size.height);
    return Metrics{ascent, ascent + descent, std::max(0, lineHeight - ascent - descent)};
}

TextTexture::Extent TextTexture::MeasureLine(const std::string& text) {
    const int penX = penX_;
    const int penY = penY_;
    measuring_ = true;
    inkRight_ = penX;
    DrawString(text.c_str());
    measuring_ = false;
    const Extent extent{penX_ - penX, inkRight_ - penX};
    penX_ = penX;
    penY_ = penY;
    return extent;
}

void TextTexture::DrawString(const char* text) {
    if (!texture_ || face_ == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(FontLibrary::Instance().Lock());
    const Metrics metrics = SizeFaces();
    std::uint32_t* pixels = measuring_ ? nullptr : texture_->Lock();
    const int lineStart = penX_;
    // Japanese keeps the ink layout it was designed with; a translation is set by the font's own
    // advances and kerning, as Latin type is meant to be.
    byAdvances_ = spacing_ == Spacing::ByAdvances || !language::SourceInUse();
    previousGlyph_ = 0;
    std::size_t left = std::char_traits<char>::length(text);
    while (left > 0) {
        std::uint32_t codePoint = 0;
        const std::size_t used = DecodeUtf8(text, left, codePoint);
        text += used;
        left -= used;
        if (codePoint == '\n') {
            penX_ = lineStart;
            penY_ += static_cast<int>(static_cast<float>(fontHeight_) * scaleY_);
            previousGlyph_ = 0;
            continue;
        }
        DrawGlyph(codePoint, pixels, metrics);
    }
    if (pixels != nullptr) {
        texture_->Unlock();
    }
}

void TextTexture::DrawGlyph(std::uint32_t codePoint, std::uint32_t* pixels, const Metrics& metrics) {
    FT_Face face = face_;
    FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0) {
        FT_Face fallback = FontLibrary::Instance().FallbackFace();
        const FT_UInt fallbackIndex = fallback != nullptr ? FT_Get_Char_Index(fallback, codePoint) : 0;
        if (fallbackIndex != 0) {
            face = fallback;
            index = fallbackIndex;
        }
    }
    FT_Matrix matrix{transform_[0], transform_[1], transform_[2], transform_[3]};
    FT_Set_Transform(face, &matrix, nullptr);
    const FT_Int32 target = greyGlyphs_ ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    const bool loaded = FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | target) == 0 &&
                        FT_Render_Glyph(face->glyph, greyGlyphs_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0;
    FT_Set_Transform(face, nullptr, nullptr);
    if (!loaded) {
        return;
    }
    const FT_GlyphSlot slot = face->glyph;
    const int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    GlyphBox glyph{&slot->bitmap, static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows),
                   slot->bitmap_top, slot->bitmap_left, 0};
    if (glyph.width == 0 || glyph.rows == 0) {
        // A space has no ink. Like the 1-bit rasteriser, count it as a one-pixel box with the
        // rest of its advance after it, so grey and 1-bit text space words alike.
        glyph = GlyphBox{&slot->bitmap, 1, 0, 0, 0, advance - 1};
    } else {
        glyph.c = advance - glyph.a - glyph.width;
    }
    const bool onCell = SetOnFullWidthCell(codePoint);
    const bool byAdvance = byAdvances_ && !onCell;
    if (byAdvance) {
        penX_ += Kerning(face, index);
    }
    previousFace_ = face;
    previousGlyph_ = onCell ? 0 : index;
    const int left = (onCell || byAdvance) ? penX_ + glyph.a : penX_;
    if (clearCell_ && pixels != nullptr) {
        ClearCell(pixels, left, static_cast<int>(static_cast<float>(glyph.width) + 4.0f * scaleX_),
                  metrics.textHeight + 2 * metrics.externalLeading);
    }
    if (measuring_ && glyph.rows > 0) {
        inkRight_ = std::max(inkRight_, left + glyph.width);
    }
    if (glyph.rows > 0 && pixels != nullptr) {
        BlitGlyph(glyph, pixels, left, std::max(0, penY_ + metrics.ascent - glyph.originY));
    }
    if (onCell) {
        penX_ += advance + static_cast<int>(kFullWidthGap * scaleX_);
        return;
    }
    if (byAdvance) {
        penX_ += advance;
        return;
    }
    // Other text follows its ink, not the font's advance widths.
    const int padding = (glyph.a != 0 ? 2 : 0) + (glyph.c != 0 ? 2 : 0);
    penX_ += glyph.width + static_cast<int>(static_cast<float>(padding) * scaleX_);
}

int TextTexture::Kerning(FT_FaceRec_* face, unsigned index) const {
    if (previousGlyph_ == 0 || previousFace_ != face || !FT_HAS_KERNING(face)) {
        return 0;
    }
    FT_Vector kerning{0, 0};
    if (FT_Get_Kerning(face, previousGlyph_, index, FT_KERNING_DEFAULT, &kerning) != 0) {
        return 0;
    }
    return static_cast<int>(kerning.x >> 6);
}

void TextTexture::ClearCell(std::uint32_t* pixels, int left, int width, int rows) const {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + width, width_);
    const int y0 = std::max(penY_, 0);
    const int y1 = std::min(penY_ + rows, height_);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = 0;
        }
    }
}

void TextTexture::BlitGlyph(const GlyphBox& glyph, std::uint32_t* pixels, int left, int top) const {
    const FT_Bitmap& bitmap = *glyph.bitmap;
    const int pitch = std::abs(bitmap.pitch);
    // Clip to the texture on every side; nothing is written outside it.
    const int rows = std::min(glyph.rows, height_ - top);
    const int firstColumn = std::max(0, -left);
    const int columns = std::min(glyph.width, width_ - left);
    for (int r = 0; r < rows; ++r) {
        const int sourceRow = bitmap.pitch >= 0 ? r : glyph.rows - 1 - r;
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * pitch;
        std::uint32_t* target = pixels + static_cast<std::size_t>(top + r) * static_cast<std::size_t>(width_);
        for (int c = firstColumn; c < columns; ++c) {
            int a = 0;
            if (greyGlyphs_) {
                const int level = (source[c] * kGreyLevels + 127) / 255;
                a = greyTable[level] * alpha_ / 255;
            } else if (source[c >> 3] & (0x80 >> (c & 7))) {
                a = alpha_;
            }
            // Transparent glyph pixels leave what is already there.
            if (a != 0) {
                target[left + c] = (static_cast<std::uint32_t>(a) << 24) | colour_;
            }
        }
    }
}
