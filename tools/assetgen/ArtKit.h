#pragma once
#include <string>

#include <vector>

#include "Canvas.h"
#include "Text.h"
#include "Wording.h"

namespace assetgen {

// Shared pieces of the game's look: the night-blue panels with gold trim, caption styles and
// band helpers used by several art families.
namespace kit {

const Color kGold = Rgb(240, 200, 96);
const Color kGoldDark = Rgb(150, 100, 30);
const Color kInk = Rgb(12, 10, 24);
const Color kWhite = Rgb(255, 255, 255);

// A rounded panel: vertical gradient body, dark rim, light inner line.
void Panel(Canvas& c, float x0, float y0, float x1, float y1, float radius, Color top, Color bottom, Color rim);
// A glossy button face filling the box.
void Button(Canvas& c, float x0, float y0, float x1, float y1, Color base);
// A caption style: gradient fill from top to bottom colour, dark outline.
TextStyle Caption(Font font, float size, Color top, Color bottom, float centreY, Color outline = Rgb(20, 14, 30));
// The caption style for words in a language: Caption in the Japanese face for Japanese, in the
// bold Latin face set with its kerning for the others.
TextStyle WordCaption(Language language, float size, Color top, Color bottom, float centreY,
                      Color outline = Rgb(20, 14, 30));
// Writes the caption centred in the band.
void BandCaption(Canvas& c, float x0, float y0, float x1, float y1, const std::string& text, const TextStyle& style);
// Writes text whose ink must keep within `room` pixels across (its cell). Text that would not
// is drawn all the same and recorded: the generator then fails rather than ship cut words.
void FittedText(Canvas& c, const std::string& text, float x, float centreY, Align align, float room,
                const TextStyle& style);
// The texts recorded by FittedText and BandCaption as wider than their room, with the room.
const std::vector<std::string>& Overflows();
// The picture resampled from its painted size to a power-of-two texture size.
Canvas ToTexture(const Canvas& painted, int width, int height);
// A full-screen backdrop: vertical gradient with soft noise.
Canvas Backdrop(int width, int height, Color top, Color bottom, unsigned seed);
// Scattered soft sparkles (stars, dust).
void Sparkles(Canvas& c, int count, unsigned seed, Color color, float maxRadius, float x0, float y0, float x1,
              float y1);

}  // namespace kit

}  // namespace assetgen
