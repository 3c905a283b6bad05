#pragma once
#include <string>

#include "Canvas.h"

namespace assetgen {

// LatinNarrowBold is the condensed bold face, for English words in the tightest cells.
enum class Font { Japanese, Latin, LatinBold, LatinNarrowBold };

enum class Align { Left, Centre, Right };

struct TextStyle {
    Font font = Font::Japanese;
    float size = 16.0f;  // pixel height of the em square
    Paint fill = Solid({1, 1, 1, 1});
    Color outline{};  // drawn when alpha > 0
    float outlineWidth = 0.0f;
    Color shadow{};  // drawn when alpha > 0, offset by one pixel and a half
    Color glow{};    // soft halo behind the text when alpha > 0
    bool kerning = false;  // the font's kerning between letters (English captions; older Latin ones go without)
};

// Draws UTF-8 text with FreeType. The vertical position is the centre of the text's ink box,
// which keeps captions visually centred in their bands whatever the glyphs are.
// False when no font could be opened (the caller carries on without the words).
bool DrawText(Canvas& canvas, const std::string& text, float x, float centreY, Align align, const TextStyle& style);
// The width of the text's ink in pixels as DrawText sets it (before outline and glow); 0 without fonts.
float InkWidth(const std::string& text, const TextStyle& style);
// True when the Japanese face covers kana and kanji and the Latin faces cover Latin letters;
// otherwise false with the reason (captions would silently lose their words).
bool FontsReady(std::string& problem);

}  // namespace assetgen
