// The battle HUD: frame and side panel, digits, wave-gauge icons and small labels.
#include <algorithm>
#include <cmath>
#include <string>

#include "ArtKit.h"
#include "ImageSet.h"
#include "Noise.h"

namespace assetgen {

namespace {

using namespace kit;

Canvas GameFrame() {
    Canvas c(640, 480);
    // Side panel: x 448..640.
    Canvas panel(192, 480);
    panel.FillAll([](float x, float y) {
        const float n = Fractal(x / 40.0f, y / 40.0f, 77, 3);
        return Shade(Mix(Rgb(34, 30, 74), Rgb(14, 12, 34), y / 480.0f), (n - 0.5f) * 0.25f);
    });
    panel.Fill(Rect(0, 0, 3, 480), Linear(0, 0, kGold, 3, 0, kGoldDark));
    // Recessed areas: the shop rows and the information panel.
    panel.Fill(RoundRect(4, 110, 188, 184, 8), Rgb(6, 6, 18, 0.6f));
    panel.Fill(Outline(RoundRect(4, 110, 188, 184, 8), 1), WithAlpha(kGold, 0.45f));
    panel.Fill(Rect(12, 60, 180, 61), WithAlpha(kGold, 0.35f));
    panel.Fill(Rect(12, 106, 180, 107), WithAlpha(kGold, 0.35f));
    panel.Fill(Rect(12, 188, 180, 189), WithAlpha(kGold, 0.35f));
    c.Draw(panel, 448, 0);
    // A thin bevelled frame around the visible field.
    c.Fill(Outline(Rect(1, 1, 447, 479), 2), Rgb(10, 8, 24));
    c.Fill(Outline(Rect(3, 3, 445, 477), 1.2f), WithAlpha(kGold, 0.6f));
    return ToTexture(c, 1024, 512);
}

Canvas Stuck(Language language) {
    Canvas c(128, 64);
    c.Fill(RoundRect(3, 6, 125, 58, 10), Rgb(60, 0, 0, 0.75f));
    c.Fill(Outline(RoundRect(3, 6, 125, 58, 10), 2), Rgb(255, 80, 60));
    TextStyle big = Caption(Font::LatinBold, 22, Rgb(255, 255, 200), Rgb(255, 90, 60), 24, Rgb(60, 0, 0));
    big.glow = WithAlpha(Rgb(255, 60, 40), 0.6f);
    BandCaption(c, 0, 8, 128, 40, "STUCK!", big);
    // Inside the plate's rim.
    TextStyle line = WordCaption(language, 12, kWhite, Rgb(255, 210, 200), 47);
    line.font = ByLanguage(language, Font::Japanese, Font::LatinNarrowBold);
    BandCaption(c, 6, 38, 122, 56, Words{"道は塞げません", "Keep a path open"}.In(language), line);
    return c;
}

Canvas BoxFrame(Color rim, Color light, bool glow) {
    Canvas c(64, 32);
    const Shape frame = Subtract(RoundRect(1, 1, 63, 31, 6), RoundRect(5, 5, 59, 27, 3));
    if (glow) {
        c.Glow(frame, WithAlpha(light, 0.6f), 3);
    }
    c.Fill(frame, Linear(0, 1, light, 0, 31, rim));
    c.Fill(Outline(RoundRect(1, 1, 63, 31, 6), 1), Rgb(10, 8, 20));
    c.Fill(Outline(RoundRect(5, 5, 59, 27, 3), 1), Rgb(10, 8, 20));
    return c;
}

Canvas ScoreLabels() {
    Canvas c(64, 32);
    BandCaption(c, 0, 0, 64, 16, "BEST", Caption(Font::LatinBold, 11, Rgb(255, 250, 200), kGold, 8));
    BandCaption(c, 0, 16, 64, 32, "SCORE", Caption(Font::LatinBold, 11, kWhite, Rgb(160, 210, 255), 24));
    return c;
}

// The 8 x 2 digit sheet: 0..7, then 8, 9, plus, minus, point, suffix, placeholder. White glyphs
// with a dark rim, so the callers' tints colour them. The game draws digits closer than their
// cells (a 20-pixel glyph every 11 pixels, a 30-pixel one every 18), so the ink stays within
// the middle ~55 % of a cell.
Canvas Digits(Font font, float size, float rim, float inkCentre = 16.0f) {
    Canvas c(256, 64);
    const char* glyphs[16] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+", "", ".", "%", "―", ""};
    for (int i = 0; i < 16; ++i) {
        const float cx = 32.0f * static_cast<float>(i % 8) + 16.0f;
        const float cy = 32.0f * static_cast<float>(i / 8) + inkCentre;
        TextStyle style;
        style.font = i == 14 ? Font::Japanese : font;
        style.size = size;
        style.fill = Linear(0, cy - 12, kWhite, 0, cy + 12, Rgb(215, 215, 225));
        style.outline = Rgb(20, 20, 30);
        style.outlineWidth = rim;
        const float y = i == 12 ? cy + 8 : cy;
        DrawText(c, glyphs[i], cx, y, Align::Centre, style);
        if (i == 11) {
            // The font's hyphen is too slight to read as a minus beside the digits.
            Canvas minus(32, 32);
            minus.Fill(RoundRect(cx - 7 - 32.0f * 3, inkCentre - 2, cx + 7 - 32.0f * 3, inkCentre + 2.5f, 1.5f),
                       style.fill);
            minus.AddOutline(style.outline, rim);
            c.Draw(minus, 32.0f * 3, 32);
        }
    }
    return c;
}

struct KindLook {
    Color color;
    Words name;  // in English, short enough for the gauge's plate at a size that reads
    const char* sheet;
};

const KindLook kKinds[13] = {
    {Rgb(230, 60, 60), {"赤妖精", "Red"}, "enemy_f_red.png"},
    {Rgb(60, 110, 240), {"青妖精", "Blue"}, "enemy_f_blue.png"},
    {Rgb(60, 190, 80), {"緑妖精", "Green"}, "enemy_f_green.png"},
    {Rgb(240, 200, 40), {"向日葵", "Sunflower"}, "enemy_f_yellow.png"},
    {Rgb(240, 140, 200), {"妖精隊", "Squad"}, "enemy_f_yellow.png"},
    {Rgb(230, 220, 190), {"毛玉", "Furball"}, "enemy_wool.png"},
    {Rgb(200, 160, 230), {"大毛玉", "Big Fur"}, "enemy_bigwool.png"},
    {Rgb(150, 40, 90), {"イビルアイ", "Evil Eye"}, "enemy_evil.png"},
    {Rgb(255, 150, 190), {"Vernie", "Vernie"}, "enemy_vernie.png"},
    {Rgb(70, 70, 90), {"鴉", "Crow"}, "enemy_crow.png"},
    {Rgb(170, 200, 230), {"幽霊", "Ghost"}, "enemy_spirit.png"},
    {Rgb(120, 220, 250), {"Frelle", "Frelle"}, "enemy_frelle.png"},
    {Rgb(60, 30, 80), {"Noctra", "Noctra"}, "enemy_noctra.png"},
};

// The sheet's south-facing first frame: how the enemy looks on the wave gauge.
Canvas EnemyFace(const ImageSet& set, const char* sheet) {
    const Canvas* picture = set.Find(sheet);
    return picture != nullptr ? picture->Region(0, picture->Height() / 2, picture->Width() / 4, picture->Height() / 8)
                              : Canvas(32, 32);
}

Canvas KindColours(const ImageSet& set) {
    Canvas c(256, 128);
    for (int k = 0; k < 13; ++k) {
        const float x0 = 64.0f * static_cast<float>(k % 4);
        const float y0 = 32.0f * static_cast<float>(k / 4);
        const Color base = kKinds[k].color;
        c.Fill(RoundRect(x0 + 1, y0 + 1, x0 + 63, y0 + 31, 4),
               Linear(0, y0, 0, y0 + 32, {{0, Shade(base, 0.35f)}, {0.5f, base}, {1, Shade(base, -0.45f)}}));
        c.Fill(RoundRect(x0 + 3, y0 + 2, x0 + 61, y0 + 12, 3), WithAlpha(kWhite, 0.2f));
        const Canvas face = EnemyFace(set, kKinds[k].sheet);
        if (k == 4) {  // the squad: a little crowd of fairies
            c.Draw(EnemyFace(set, "enemy_f_red.png"), x0 - 2, y0 + 2, 24, 24);
            c.Draw(EnemyFace(set, "enemy_f_blue.png"), x0 + 42, y0 + 2, 24, 24);
        } else {
            c.Draw(face, x0 + 38, y0 + 1, 28, 28, 0.9f);
        }
    }
    return c;
}

// The names sit on a dark plate along the lower edge of the gauge frame's opening (x 4..60,
// y 4..28 of the box), at a size that reads; the wave number's digits keep to the part above
// (level_number.png).
Canvas KindNames(Language language) {
    Canvas c(256, 128);
    auto label = [&](int col, int row, const std::string& text, Color tone) {
        const float x0 = 64.0f * static_cast<float>(col);
        const float y0 = 32.0f * static_cast<float>(row);
        c.Fill(RoundRect(x0 + 4.5f, y0 + 15.5f, x0 + 59.5f, y0 + 28, 3), Rgb(8, 6, 20, 0.8f));
        // Kana and kanji take a full em each; long names shrink to fit the plate. English names
        // are set narrow, and chosen short enough to need at most one pixel less.
        constexpr float kPlate = 55.0f;
        const bool latin = static_cast<unsigned char>(text[0]) < 0x80;
        const float glyphs = latin ? static_cast<float>(text.size()) * 0.62f : static_cast<float>(text.size()) / 3.0f;
        const Font font = latin ? ByLanguage(language, Font::LatinBold, Font::LatinNarrowBold) : Font::Japanese;
        const auto styled = [&](float size) {
            TextStyle style = Caption(font, size, kWhite, tone, y0 + 22.0f, Rgb(10, 8, 20));
            style.outlineWidth = 1.0f;
            style.kerning = language != Language::Japanese;
            return style;
        };
        TextStyle style = styled(ByLanguage(language, std::min(11.5f, kPlate / glyphs), 11.0f));
        if (language != Language::Japanese && InkWidth(text, style) + 2.0f * style.outlineWidth > kPlate) {
            style = styled(10.0f);
        }
        FittedText(c, text, x0 + 32, y0 + 22.0f, Align::Centre, kPlate, style);
    };
    for (int k = 0; k < 13; ++k) {
        label(k % 4, k / 4, kKinds[k].name.In(language), Rgb(255, 240, 200));
    }
    label(3, 3, "BIG!", Rgb(255, 120, 80));
    return c;
}

Canvas Heart() {
    Canvas c(32, 32);
    const Shape heart =
        Union(Union(Circle(11, 12, 7), Circle(21, 12, 7)), Polygon({{4.6f, 15}, {27.4f, 15}, {16, 28}}));
    c.Glow(heart, WithAlpha(Rgb(255, 100, 120), 0.5f), 3);
    c.Fill(heart, Radial(12, 10, 18, Rgb(255, 170, 180), Rgb(210, 20, 50)));
    c.Fill(Outline(heart, 1.2f), Rgb(80, 0, 20));
    c.Fill(Ellipse(11, 10, 3, 2), WithAlpha(kWhite, 0.8f));
    return c;
}

Canvas PointMark() {
    Canvas c(32, 32);
    c.Glow(RoundRect(6, 6, 26, 26, 5), WithAlpha(Rgb(255, 120, 100), 0.6f), 3);
    c.Fill(RoundRect(5, 5, 27, 27, 5), Linear(0, 5, Rgb(255, 130, 110), 0, 27, Rgb(190, 20, 30)));
    c.Fill(Outline(RoundRect(5, 5, 27, 27, 5), 1.2f), Rgb(90, 0, 10));
    DrawText(c, "P", 16, 16, Align::Centre,
             Caption(Font::LatinBold, 18, kWhite, Rgb(255, 230, 200), 16, Rgb(120, 0, 0)));
    return c;
}

Canvas Sword() {
    Canvas c(32, 32);
    const Shape blade = Rotated(Polygon({{14.5f, 3}, {17.5f, 3}, {18, 20}, {16, 23}, {14, 20}}), 16, 16, 0.785f);
    c.Fill(blade, Linear(8, 8, Rgb(255, 255, 255), 24, 24, Rgb(150, 170, 200)));
    c.Fill(Outline(blade, 1), Rgb(40, 40, 60));
    c.Fill(Rotated(RoundRect(10, 20, 22, 23, 1.5f), 16, 16, 0.785f), Rgb(230, 180, 60));
    c.Fill(Rotated(RoundRect(14.5f, 22, 17.5f, 29, 1.2f), 16, 16, 0.785f), Rgb(120, 60, 30));
    return c;
}

Canvas RangeIcon() {
    Canvas c(32, 32);
    c.Fill(Circle(16, 16, 13), Rgb(60, 130, 255, 0.35f));
    c.Fill(Outline(Circle(16, 16, 13), 1.8f), Rgb(120, 190, 255));
    c.Fill(Outline(Circle(16, 16, 7.5f), 1.3f), Rgb(180, 220, 255));
    c.Fill(Circle(16, 16, 2.5f), kWhite);
    return c;
}

Canvas SpeedIcon() {
    Canvas c(32, 32);
    for (int i = 0; i < 3; ++i) {
        const float x = 6.0f + 8.0f * static_cast<float>(i);
        const Shape chevron = Polygon({{x, 7}, {x + 7, 7}, {x + 14, 16}, {x + 7, 25}, {x, 25}, {x + 7, 16}});
        c.Fill(chevron, WithAlpha(Rgb(120, 255, 170), 0.45f + 0.25f * static_cast<float>(i)));
    }
    return c;
}

Canvas LevelLabel() {
    Canvas c(32, 16);
    BandCaption(c, 0, 0, 32, 16, "Lv.", Caption(Font::LatinBold, 12, kWhite, Rgb(255, 220, 140), 8, Rgb(20, 10, 30)));
    return c;
}

// Flat swatches on a 10 x 10 grid. The game reads: red (columns 0-1, rows 0-1) for a refused
// plot, green (column 3, rows 0-1) for an acceptable one, white (column 1, row 8) for a selected
// tower, black (columns 8-9, rows 0-1) for the dim overlay; yellow (column 5) for the build
// progress bar and cyan (column 6) for the level pips.
Canvas Swatches() {
    Canvas c(128, 128);
    const Color rainbow[10] = {Rgb(255, 80, 80),   Rgb(255, 160, 60), Rgb(255, 240, 80),  Rgb(120, 240, 100),
                               Rgb(80, 230, 220),  Rgb(80, 140, 255), Rgb(170, 100, 255), Rgb(255, 110, 220),
                               Rgb(200, 200, 200), Rgb(90, 90, 90)};
    for (int row = 0; row < 10; ++row) {
        for (int col = 0; col < 10; ++col) {
            Color colour = rainbow[(col + row) % 10];
            if (row < 2) {
                const Color top[10] = {Rgb(255, 40, 40),  Rgb(255, 40, 40),  Rgb(150, 20, 20),  Rgb(60, 255, 90),
                                       Rgb(60, 120, 255), Rgb(255, 230, 60), Rgb(80, 240, 255), kWhite,
                                       Rgb(0, 0, 0),      Rgb(0, 0, 0)};
                colour = top[col];
            } else if (row == 8 && col < 2) {
                colour = col == 1 ? kWhite : Rgb(255, 240, 120);
            }
            const float x0 = 12.8f * static_cast<float>(col);
            const float y0 = 12.8f * static_cast<float>(row);
            c.Fill(Rect(x0 - 0.01f, y0 - 0.01f, x0 + 12.81f, y0 + 12.81f), colour, 0.01f);
        }
    }
    return c;
}

}  // namespace

void PaintHudImages(ImageSet& set) {
    set.Add("gameback.png", GameFrame());
    set.AddWorded("stuck.png", Stuck);
    set.Add("levelflame.png", BoxFrame(Rgb(200, 120, 20), Rgb(255, 250, 180), true));
    set.Add("gauge_flame.png", BoxFrame(Rgb(40, 40, 70), Rgb(170, 170, 200), false));
    set.Add("score.png", ScoreLabels());
    set.Add("number.png", Digits(Font::LatinBold, 24, 1.5f));
    // The wave numbers keep to the upper part of the gauge box: the kind's name has the rest.
    set.Add("level_number.png", Digits(Font::LatinBold, 15.0f, 1.4f, 9.75f));
    set.Add("enemykind_color.png", KindColours(set));
    set.AddWorded("enemykind_mozi.png", KindNames);
    set.Add("life_icon.png", Heart());
    set.Add("p.png", PointMark());
    set.Add("sword_icon.png", Sword());
    set.Add("spread_icon.png", RangeIcon());
    set.Add("speed_icon.png", SpeedIcon());
    set.Add("level.png", LevelLabel());
    set.Add("color.png", Swatches());
}

}  // namespace assetgen
