#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "base/Language.h"
#include "object/TextTexture.h"
#include "object/Utf8.h"
#include "support/RecordingDevice.h"
#include "support/TempDir.h"

namespace {

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    bool Empty() const { return right < 0; }
};

// The bounding box of every texel with some alpha, within the given columns.
Box Ink(const gfx::Texture& texture, int fromColumn = 0, int toColumn = 1 << 30) {
    Box box;
    for (int y = 0; y < texture.Height(); ++y) {
        for (int x = fromColumn; x < std::min(toColumn, texture.Width()); ++x) {
            if (texture.Pixels()[y * texture.Width() + x] >> 24) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

class TextTextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        text.Create(&device, 128, 64);
        text.Clear();
        text.SetGreyGlyphs(true);
        text.SetColour(0xFFFFFFFFu);
    }
    const gfx::Texture& Texture() const { return *text.GetTexture(); }

    RecordingDevice device;
    TextTexture text;
};

TEST_F(TextTextureTest, JapaneseGlyphsLandSideBySideOnTheFirstLine) {
    text.SetFont("MSゴシック", 16);
    text.Print(4, 2, "%s", "日本");
    text.ReleaseFont();
    const Box all = Ink(Texture());
    ASSERT_FALSE(all.Empty());
    EXPECT_GE(all.left, 4);
    EXPECT_GE(all.top, 2);
    EXPECT_LT(all.bottom, 2 + 16);
    // Two separate glyphs: ink on both sides of the middle of the string.
    const int middle = (4 + text.PenX()) / 2;
    EXPECT_FALSE(Ink(Texture(), 0, middle).Empty());
    EXPECT_FALSE(Ink(Texture(), middle, 128).Empty());
    EXPECT_GT(text.PenX(), 4 + 2 * 10);
    EXPECT_LE(text.PenX(), 4 + 2 * 20);
    EXPECT_LT(all.right, text.PenX());
    for (int k = 0; k < 128 * 64; ++k) {
        const std::uint32_t texel = Texture().Pixels()[k];
        ASSERT_TRUE(texel == 0 || (texel & 0xFFFFFFu) == 0xFFFFFFu) << k;
    }
}

// The side panel's catalogue texts mix kanji, kana and full-width digits in small 1-bit glyphs:
// they must keep one even pitch, and neighbouring kanji must not run into each other.
TEST_F(TextTextureTest, FullWidthTextKeepsAnEvenPitchWithKanjiApart) {
    text.SetFont("Tahoma", 13);
    text.SetGreyGlyphs(false);
    const auto pitch = [&](const char* glyph) {
        text.Print(0, 0, "%s", glyph);
        return text.PenX();
    };
    const int kanji = pitch("最");
    EXPECT_GE(kanji, 13);
    for (const char* glyph : {"大", "で", "が", "３", "。", "射"}) {
        EXPECT_EQ(pitch(glyph), kanji) << glyph;
    }
    text.Clear();
    text.Print(0, 0, "%s", "最大強化");
    for (int cell = 1; cell < 4; ++cell) {
        // A blank column between each pair of cells.
        bool blank = false;
        for (int x = cell * kanji - 2; x <= cell * kanji && !blank; ++x) {
            blank = Ink(Texture(), x, x + 1).Empty();
        }
        EXPECT_TRUE(blank) << "cells " << cell - 1 << " and " << cell << " touch";
    }
}

TEST_F(TextTextureTest, LineFeedReturnsToTheLineStartOneFontHeightLower) {
    text.SetFont("Tahoma", 14);
    text.Print(10, 0, "W\nW");
    const Box all = Ink(Texture());
    ASSERT_FALSE(all.Empty());
    EXPECT_LT(all.right, 10 + 20);  // both glyphs share their columns
    EXPECT_GE(all.bottom, 14);
    const int firstLineRows = 14;
    Box upper;
    Box lower;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x) {
            if (Texture().Pixels()[y * 128 + x] >> 24) {
                Box& box = y < firstLineRows ? upper : lower;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
            }
        }
    }
    EXPECT_EQ(lower.left, upper.left);
    EXPECT_EQ(lower.top - upper.top, 14);
}

TEST_F(TextTextureTest, MissingGlyphsAndUnknownFamiliesStillDraw) {
    text.SetFont("Tahoma", 16);  // a Latin face: the kana come from the Japanese fallback
    text.Print(0, 0, "あ");
    EXPECT_FALSE(Ink(Texture()).Empty());
    text.Clear();
    text.SetFont("No Such Family At All", 16);  // set again without releasing: nothing leaks
    text.Print(0, 0, "Ab");
    EXPECT_FALSE(Ink(Texture()).Empty());
}

TEST_F(TextTextureTest, OneBitGlyphsUseTheExactAlpha) {
    text.SetFont("Tahoma", 13);
    text.SetGreyGlyphs(false);
    text.SetColour(0x80FF0000u);
    text.Print(0, 0, "Lv 3");
    int inked = 0;
    for (int k = 0; k < 128 * 64; ++k) {
        const std::uint32_t texel = Texture().Pixels()[k];
        if (texel != 0) {
            ++inked;
            EXPECT_EQ(texel, 0x80FF0000u);
        }
    }
    EXPECT_GT(inked, 10);
}

TEST_F(TextTextureTest, OverdrawKeepsOldInkUnlessTheCellIsCleared) {
    text.SetFont("Tahoma", 16);
    text.Print(0, 0, "|");
    const int before = Ink(Texture()).right;
    text.Print(0, 0, ".");  // the dot's transparent pixels leave the bar standing
    EXPECT_GE(Ink(Texture()).right, before);
    const Box withBar = Ink(Texture());
    text.SetClearCell(true);
    text.Print(0, 0, ".");
    const Box onlyDot = Ink(Texture());
    EXPECT_GT(onlyDot.top, withBar.top);  // the bar's upper part is gone
}

TEST_F(TextTextureTest, TextPastTheEdgesIsClipped) {
    text.SetFont("MSゴシック", 40);
    text.Print(120, 50, "日本語の文字");
    text.Print(-10, -30, "日本");
    text.NewLine(-500);
    text.PrintHere("%s", "x");
    const Box all = Ink(Texture());
    ASSERT_FALSE(all.Empty());
    EXPECT_LE(all.right, 127);
    EXPECT_LE(all.bottom, 63);
}

TEST_F(TextTextureTest, LongOutputIsCutOnACharacterBoundary) {
    std::string kana;
    for (int k = 0; k < 100; ++k) {
        kana += "あ";  // three bytes each: 255 bytes hold exactly 85
    }
    text.SetFont("MSゴシック", 8);
    text.Print(0, 0, "%s", kana.c_str());
    EXPECT_FALSE(Ink(Texture()).Empty());
    // The cut drops the incomplete character instead of drawing a broken one.
    const std::string shifted = "a" + kana;
    EXPECT_EQ(Utf8CutLength(shifted.c_str(), 255), 253u);
    EXPECT_EQ(Utf8CutLength(kana.c_str(), 255), 255u);
    EXPECT_EQ(Utf8CutLength("ab", 2), 2u);
}

TEST(Utf8, MalformedBytesDecodeOneAtATime) {
    std::uint32_t code = 0;
    EXPECT_EQ(DecodeUtf8("\xE6\x97\xA5", 3, code), 3u);
    EXPECT_EQ(code, 0x65E5u);
    EXPECT_EQ(DecodeUtf8("\xE6\x97", 2, code), 1u);  // truncated
    EXPECT_EQ(code, 0xFFFDu);
    EXPECT_EQ(DecodeUtf8("\xC0\xAF", 2, code), 1u);  // overlong
    EXPECT_EQ(code, 0xFFFDu);
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80", 3, code), 1u);  // surrogate
    EXPECT_EQ(DecodeUtf8("\x5C", 1, code), 1u);
    EXPECT_EQ(code, 0x5Cu);
}

}  // namespace

// A translation is set by the font's advances: the ink layout's padding around each Latin glyph
// ("Gr eatB eam") is gone, and a word set glyph by glyph is as wide as the glyphs' advances.
TEST_F(TextTextureTest, TranslatedLatinTextIsSetByAdvancesNotByInk) {
    text.SetFont("Tahoma", 14);
    const int inkLayout = text.MeasureLine("GreatBeam").advance;
    ScopedTempDir dir;
    std::ofstream(dir.Path() / "en.mo", std::ios::binary)
        << std::string("\xde\x12\x04\x95\0\0\0\0\0\0\0\0\x1c\0\0\0\x1c\0\0\0\0\0\0\0\0\0\0\0", 28);
    std::string error;
    ASSERT_TRUE(language::Use("en", dir.Path(), error)) << error;
    const int byAdvances = text.MeasureLine("GreatBeam").advance;
    int glyphByGlyph = 0;
    for (const char c : std::string("GreatBeam")) {
        glyphByGlyph += text.MeasureLine(std::string(1, c)).advance;
    }
    language::Use("ja", {}, error);
    EXPECT_LT(byAdvances, inkLayout);
    // Kerning may pull a pair closer, never apart by more than a pixel.
    EXPECT_LE(byAdvances, glyphByGlyph + 1);
    EXPECT_GE(byAdvances, glyphByGlyph - 4);
    EXPECT_EQ(text.MeasureLine("GreatBeam").advance, inkLayout);  // Japanese is as it was
    // A sign of the game's own asks for advances in Japanese too, and gets the translation's width.
    text.SetSpacing(TextTexture::Spacing::ByAdvances);
    EXPECT_EQ(text.MeasureLine("GreatBeam").advance, byAdvances);
    text.SetSpacing(TextTexture::Spacing::AsLanguage);
    EXPECT_EQ(text.MeasureLine("GreatBeam").advance, inkLayout);
}
