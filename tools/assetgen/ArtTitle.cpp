// Start-up, loading and title-scene pictures.
#include <algorithm>
#include <cmath>

#include "ArtKit.h"
#include "ImageSet.h"
#include "Noise.h"

namespace assetgen {

namespace {

using namespace kit;

constexpr int kScreenW = 640;
constexpr int kScreenH = 480;

// A night sky over hills with a castle on the horizon: the game's establishing picture.
Canvas NightScene(unsigned seed, float moonX, float castleX) {
    Canvas c(kScreenW, kScreenH);
    c.FillAll(Linear(0, 0, 0, kScreenH,
                     {{0, Rgb(8, 8, 30)}, {0.55f, Rgb(40, 30, 90)}, {0.8f, Rgb(120, 70, 120)}, {1, Rgb(60, 30, 60)}}));
    Sparkles(c, 140, seed, Rgb(200, 210, 255), 1.3f, 0, 0, kScreenW, 300);
    c.Glow(Circle(moonX, 100, 34), WithAlpha(Rgb(255, 240, 200), 0.35f), 70);
    c.Fill(Circle(moonX, 100, 34), Radial(moonX - 8, 92, 40, Rgb(255, 252, 235), Rgb(240, 220, 170)));
    c.Fill(Circle(moonX + 10, 108, 6), Rgb(225, 205, 160, 0.6f));
    c.Fill(Circle(moonX - 12, 92, 4), Rgb(225, 205, 160, 0.5f));
    // Distant hills, then the castle, then near hills.
    auto hills = [&](float base, float amp, float freq, unsigned s, Color color) {
        std::vector<Point> pts{{0, kScreenH}};
        for (int x = 0; x <= kScreenW; x += 8) {
            const float n = Fractal(static_cast<float>(x) * freq, 0.5f, s, 3);
            pts.push_back({static_cast<float>(x), base - n * amp});
        }
        pts.push_back({kScreenW, kScreenH});
        c.Fill(Polygon(pts), color);
    };
    hills(360, 90, 0.006f, seed + 1, Rgb(40, 30, 80));
    const Color castle = Rgb(24, 18, 50);
    const float cx = castleX;
    c.Fill(Rect(cx - 70, 250, cx + 70, 330), castle);
    for (int i = 0; i < 5; ++i) {
        const float tx = cx - 70 + 35.0f * static_cast<float>(i);
        const float top = 200.0f + 25.0f * std::fabs(static_cast<float>(i) - 2.0f);
        c.Fill(Rect(tx - 9, top, tx + 9, 300), castle);
        c.Fill(Polygon({{tx - 13, top}, {tx + 13, top}, {tx, top - 34}}), castle);
        for (int w = 0; w < 2; ++w) {
            c.Fill(RoundRect(tx - 3, top + 14 + 22.0f * static_cast<float>(w), tx + 3,
                             top + 24 + 22.0f * static_cast<float>(w), 2),
                   Rgb(255, 200, 110, 0.9f));
        }
    }
    hills(400, 60, 0.01f, seed + 2, Rgb(20, 14, 40));
    hills(450, 30, 0.02f, seed + 3, Rgb(10, 8, 22));
    return c;
}

void Logo(Canvas& c, float x, float y, float size, Language language) {
    TextStyle title = Caption(Font::LatinBold, size, Rgb(255, 250, 225), Rgb(235, 170, 60), y, Rgb(50, 20, 10));
    title.outlineWidth = 2.5f;
    title.glow = WithAlpha(Rgb(255, 200, 120), 0.5f);
    DrawText(c, "Velmoria", x, y, Align::Centre, title);
    // The subtitle keeps under the name, whose ink is about 4.4 ems across.
    FittedText(c, Words{"ヴェルモリア防衛記", "The Defence Chronicle"}.In(language), x, y + size * 0.78f, Align::Centre,
               size * 4.4f,
               WordCaption(language, size * ByLanguage(language, 0.34f, 0.3f), kWhite, Rgb(200, 200, 255),
                           y + size * 0.78f, Rgb(30, 20, 60)));
}

Canvas StartupBack(Language language) {
    Canvas c = NightScene(11, 110, 555);
    Logo(c, 320, 200, 78, language);
    DrawText(c, "© Velmoria Project", 320, 450, Align::Centre,
             Caption(Font::Latin, 13, Rgb(210, 210, 230), Rgb(170, 170, 200), 450));
    return ToTexture(c, 1024, 512);
}

Canvas TitleBack(Language language) {
    Canvas c = NightScene(12, 560, 230);
    Logo(c, 190, 110, 64, language);
    // A soft plate behind the menu column (x 392..648, y 184..456).
    c.Fill(
        RoundRect(400, 176, 660, 462, 20),
        Linear(400, 0, 660, 0, {{0, Rgb(10, 8, 30, 0.0f)}, {0.25f, Rgb(10, 8, 30, 0.55f)}, {1, Rgb(10, 8, 30, 0.65f)}}),
        28);
    return ToTexture(c, 1024, 512);
}

Canvas ScreenWithHeader(const std::string& header, Color top, Color bottom, unsigned seed, Language language) {
    Canvas c = Backdrop(kScreenW, kScreenH, top, bottom, seed);
    Sparkles(c, 60, seed, Rgb(200, 220, 255, 0.7f), 1.0f, 0, 0, kScreenW, kScreenH);
    c.Fill(Rect(0, 0, kScreenW, 44), Linear(0, 0, Rgb(0, 0, 0, 0.55f), 0, 44, Rgb(0, 0, 0, 0.2f)));
    c.Fill(Rect(0, 44, kScreenW, 46),
           Linear(0, 0, kScreenW, 0, {{0, WithAlpha(kGold, 0.9f)}, {1, WithAlpha(kGold, 0.0f)}}));
    FittedText(c, header, 24, 23, Align::Left, kScreenW - 48,
               WordCaption(language, 24, kWhite, Rgb(255, 220, 150), 23, Rgb(20, 10, 40)));
    return c;
}

// The selector rows of the game select: the centre of each panel and its height. The character
// panel is tall enough for the portrait at its own size (64 x 128).
struct SelectorRow {
    Words label;
    float centreY;
    float halfHeight;
};
constexpr SelectorRow kSelectorRows[] = {{{"難易度", "Difficulty"}, 120, 34},
                                         {{"ステージ", "Stage"}, 230, 34},
                                         {{"キャラクター", "Character"}, 350, 68}};

Canvas GameSelectBack(Language language) {
    Canvas c = ScreenWithHeader(Words{"ゲームセレクト", "Game Select"}.In(language), Rgb(30, 40, 90), Rgb(60, 30, 70),
                                21, language);
    // Soft rows behind the three selectors on the right and the stage picture on the left.
    for (const SelectorRow& row : kSelectorRows) {
        const float top = row.centreY - row.halfHeight;
        c.Fill(RoundRect(300, top, 636, row.centreY + row.halfHeight, 16), Rgb(10, 10, 30, 0.35f), 4);
        FittedText(c, row.label.In(language), 312, top - 10, Align::Left, 636 - 312,
                   WordCaption(language, 14, Rgb(255, 240, 200), kGold, top - 10));
    }
    c.Fill(RoundRect(20, 70, 280, 418, 16), Rgb(10, 10, 30, 0.35f), 4);
    return ToTexture(c, 1024, 512);
}

// The music room: the track list (text from x 26, y 110 + 24 i), the life-game board and the
// comment panel, whose lower edge stays clear of the return button at (80, 446).
Canvas MusicRoomBack(Language language) {
    Canvas c = ScreenWithHeader(Words{"ミュージックルーム", "Music Room"}.In(language), Rgb(20, 40, 70), Rgb(40, 20, 60),
                                22, language);
    Panel(c, 14, 92, 290, 226, 12, Rgb(20, 24, 60, 0.8f), Rgb(10, 10, 30, 0.8f), WithAlpha(kGold, 0.8f));
    Panel(c, 342, 6, 634, 298, 10, Rgb(4, 6, 16, 0.92f), Rgb(4, 6, 16, 0.92f), WithAlpha(kGold, 0.8f));
    // Faint lines between the life-game board's cells (16 px cells from (352, 16)).
    for (int i = 0; i <= 17; ++i) {
        const float p = static_cast<float>(i) * 16.0f;
        c.Fill(Rect(352 + p - 0.5f, 16, 352 + p + 0.5f, 288), Rgb(80, 100, 160, 0.25f));
        c.Fill(Rect(352, 16 + p - 0.5f, 624, 16 + p + 0.5f), Rgb(80, 100, 160, 0.25f));
    }
    Panel(c, 40, 300, 600, 426, 12, Rgb(20, 24, 60, 0.75f), Rgb(10, 10, 30, 0.75f), WithAlpha(kGold, 0.7f));
    return ToTexture(c, 1024, 512);
}

Canvas OptionBack(Language language) {
    Canvas c = ScreenWithHeader(Words{"オプション", "Options"}.In(language), Rgb(30, 50, 60), Rgb(20, 30, 60), 23,
                                language);
    // A plate behind each row: music, effects, grid display, guides.
    for (const float y : {120.0f, 200.0f, 280.0f, 360.0f}) {
        c.Fill(RoundRect(60, y - 30, 580, y + 30, 14), Rgb(10, 10, 30, 0.4f), 4);
    }
    return ToTexture(c, 1024, 512);
}

Canvas Ball() {
    Canvas c(32, 32);
    c.Glow(Circle(16, 16, 9), WithAlpha(Rgb(140, 200, 255), 0.7f), 6);
    c.Fill(Circle(16, 16, 10), Radial(12, 12, 14, Rgb(255, 255, 255), Rgb(60, 120, 230)));
    c.Fill(Circle(21, 16, 3.2f), Rgb(255, 200, 80));
    c.Fill(Circle(12, 11, 2.5f), WithAlpha(kWhite, 0.9f));
    return c;
}

Canvas NowLoading(Language language) {
    Canvas c(128, 64);
    TextStyle style = Caption(Font::LatinBold, 13, kWhite, Rgb(180, 210, 255), 16, Rgb(10, 20, 60));
    style.glow = WithAlpha(Rgb(120, 170, 255), 0.6f);
    BandCaption(c, 0, 0, 128, 32, "Now Loading...", style);
    // The loading ball turns just left of this line's middle, over the band's first 24 pixels;
    // the caption keeps clear of it.
    BandCaption(c, 24, 32, 128, 64, Words{"しばらくお待ち下さい", "Please wait"}.In(language),
                WordCaption(language, ByLanguage(language, 10.0f, 11.0f), Rgb(230, 230, 240), Rgb(190, 190, 210), 48));
    return c;
}

Canvas StageFrame() {
    Canvas c(256, 256);
    const Shape outer = RoundRect(2, 2, 254, 254, 14);
    const Shape inner = RoundRect(16, 16, 240, 240, 6);
    c.Fill(Subtract(outer, inner),
           Linear(0, 0, 256, 256, {{0, Rgb(255, 230, 150)}, {0.5f, Rgb(180, 120, 40)}, {1, Rgb(255, 220, 130)}}));
    c.Fill(Outline(outer, 1.5f), Rgb(70, 40, 10));
    c.Fill(Outline(inner, 1.5f), Rgb(70, 40, 10));
    c.Fill(Outline(RoundRect(8, 8, 248, 248, 10), 1), WithAlpha(Rgb(255, 250, 220), 0.7f));
    for (const float x : {9.0f, 247.0f}) {
        for (const float y : {9.0f, 247.0f}) {
            c.Fill(Star(x, y, 8, 3, 4, 0.785f), Rgb(255, 250, 210));
        }
    }
    return c;
}

Canvas StageNames(Language language) {
    // The game select shows a name between its arrows (x 358..582 of the screen): 224 pixels.
    Canvas c(256, 512);
    const Words names[] = {{"ヴェルクラ回廊", "Velkra Corridor"}, {"ヴェルクラ大図書館", "Velkra Library"},
                           {"天空の庭", "Sky Garden"}};
    const Color colours[] = {Rgb(255, 190, 170), Rgb(220, 200, 255), Rgb(180, 230, 255)};
    for (int i = 0; i < 3; ++i) {
        const float y0 = 32.0f * static_cast<float>(i);
        BandCaption(c, 16, y0, 240, y0 + 32, names[i].In(language),
                    WordCaption(language, ByLanguage(language, 21.0f, 20.0f), kWhite, colours[i], y0 + 16));
    }
    return c;
}

// Drawn 128 x 32 on the game select (1:1) and 64 x 16 in the battle (an even halving).
Canvas DifficultyLabels() {
    Canvas c(128, 256);
    const char* names[] = {"Easy", "Normal", "Hard", "Lunatic"};
    const Color colours[] = {Rgb(120, 255, 140), Rgb(120, 200, 255), Rgb(255, 170, 80), Rgb(255, 90, 200)};
    for (int i = 0; i < 4; ++i) {
        const float y0 = 32.0f * static_cast<float>(i);
        TextStyle style = Caption(Font::LatinBold, 23, kWhite, colours[i], y0 + 16, Rgb(10, 10, 20));
        style.outlineWidth = 2.0f;
        BandCaption(c, 0, y0, 128, y0 + 32, names[i], style);
    }
    return c;
}

// A decorative frame for the music room screen, open in the middle.
Canvas MusicFrame() {
    Canvas c(kScreenW, kScreenH);
    const Shape outer = Rect(0, 0, kScreenW, kScreenH);
    const Shape inner = RoundRect(10, 10, kScreenW - 10, kScreenH - 10, 16);
    c.Fill(Subtract(outer, inner), Linear(0, 0, Rgb(60, 50, 110), 0, kScreenH, Rgb(20, 16, 50)));
    c.Fill(Outline(inner, 2), kGold);
    for (int i = 0; i < 12; ++i) {
        const float x = 40.0f + 50.0f * static_cast<float>(i);
        c.Fill(Circle(x, 5, 2), WithAlpha(kGold, 0.8f));
        c.Fill(Circle(x, kScreenH - 5, 2), WithAlpha(kGold, 0.8f));
    }
    return ToTexture(c, 1024, 512);
}

// The life-game cells: eight colours across, four age stages down, 16 x 16 each.
Canvas LifeCells() {
    Canvas c(128, 64);
    const Color colours[8] = {Rgb(255, 90, 90),  Rgb(255, 170, 60), Rgb(250, 240, 90),  Rgb(110, 240, 110),
                              Rgb(80, 230, 230), Rgb(90, 140, 255), Rgb(190, 110, 255), Rgb(255, 130, 220)};
    for (int stage = 0; stage < 4; ++stage) {
        for (int i = 0; i < 8; ++i) {
            const float cx = 16.0f * static_cast<float>(i) + 8.0f;
            const float cy = 16.0f * static_cast<float>(stage) + 8.0f;
            const float r = 6.5f - 0.6f * static_cast<float>(stage);
            const Color base = Shade(colours[i], -0.12f * static_cast<float>(stage));
            c.Glow(Circle(cx, cy, r - 2), WithAlpha(base, 0.5f), 2.5f);
            c.Fill(RoundRect(cx - r, cy - r, cx + r, cy + r, 2.5f),
                   Radial(cx - 2, cy - 2, r * 1.6f, Shade(base, 0.6f), base));
        }
    }
    return c;
}

// A wall of the music room's board: a small stone block, cool grey where the cells are bright
// and round, so the fourth track's walls never pass for living cells.
Canvas LifeWall() {
    Canvas c(16, 16);
    c.Fill(Rect(1, 1, 15, 15), Rgb(30, 32, 44));
    c.Fill(Rect(2, 2, 14, 14), Linear(0, 2, Rgb(150, 155, 172), 0, 14, Rgb(92, 96, 116)));
    c.Fill(Rect(2, 7.5f, 14, 8.5f), Rgb(52, 54, 70));
    c.Fill(Rect(7.5f, 2, 8.5f, 7.5f), Rgb(52, 54, 70));
    c.Fill(Rect(4.5f, 8.5f, 5.5f, 14), Rgb(52, 54, 70));
    c.Fill(Rect(10.5f, 8.5f, 11.5f, 14), Rgb(52, 54, 70));
    c.Fill(Rect(2, 2, 14, 3), WithAlpha(kWhite, 0.35f));
    return c;
}

}  // namespace

// The Velmoria crest: a shield with a star, drawn on a 128-pixel grid scaled to the size asked
// for, so the desktop icons are painted sharp rather than resampled.
Canvas PaintCrest(int size) {
    const float k = static_cast<float>(size) / 128.0f;
    auto at = [k](float x, float y) { return Point{x * k, y * k}; };
    Canvas c(size, size);
    const int steps = static_cast<int>(std::ceil(8.0f * std::max(1.0f, k)));
    const Shape shield =
        SmoothBlob({at(64, 8), at(112, 22), at(108, 70), at(64, 120), at(20, 70), at(16, 22)}, steps);
    c.Glow(shield, WithAlpha(kit::kGold, 0.4f), 6 * k);
    c.Fill(shield, Linear(0, 8 * k, Rgb(70, 60, 160), 0, 120 * k, Rgb(25, 20, 70)));
    c.Fill(Outline(shield, 3 * k), kit::kGold);
    c.Fill(Star(64 * k, 60 * k, 30 * k, 12 * k, 5, -1.5708f),
           Radial(64 * k, 56 * k, 30 * k, Rgb(255, 255, 230), Rgb(240, 170, 40)));
    return c;
}

void PaintTitleImages(ImageSet& set) {
    set.AddWorded("startup_back.png", StartupBack);
    set.Add("tama.png", Ball());
    set.AddWorded("nowloading.png", NowLoading);
    set.AddWorded("titleback.png", TitleBack);
    set.AddWorded("gameselectback.png", GameSelectBack);
    set.AddWorded("musicroomback.png", MusicRoomBack);
    set.AddWorded("optionback.png", OptionBack);
    set.Add("stageicon_flame.png", StageFrame());
    set.AddWorded("stagename.png", StageNames);
    set.Add("lv_select.png", DifficultyLabels());
    set.Add("gameback_formusic.png", MusicFrame());
    set.Add("ruvani.png", PaintCrest(128));
    set.Add("lifecell.png", LifeCells());
    set.Add("lifewall.png", LifeWall());
}

}  // namespace assetgen
