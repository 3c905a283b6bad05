// Menus, buttons, panels and the result window.
#include <algorithm>
#include <cmath>
#include <string>

#include "ArtKit.h"
#include "ImageSet.h"

namespace assetgen {

namespace {

using namespace kit;

// A sheet of n horizontal bands, each a button with its caption; empty captions leave the band clear.
Canvas ButtonBands(int width, int height, const std::vector<Words>& captions, Color base, float textSize,
                   Language language) {
    Canvas c(width, height);
    const float band = static_cast<float>(height) / static_cast<float>(captions.size());
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (captions[i].Empty()) {
            continue;
        }
        const float y0 = band * static_cast<float>(i);
        Button(c, 2, y0 + 2, static_cast<float>(width) - 2, y0 + band - 2, base);
        // The face's rim takes a few pixels each side.
        BandCaption(c, 6, y0, static_cast<float>(width) - 6, y0 + band, captions[i].In(language),
                    WordCaption(language, textSize, kWhite, Rgb(255, 226, 150), y0 + band * 0.5f));
    }
    return c;
}

Canvas MenuButtons(Language language) {
    const std::vector<Words> captions = {
        {"メニュー", "Menu"}, {"スタート", "Start"}, {"次のウェーブ", "Next Wave"}, {}, {}, {}, {"確認", "OK"}, {}};
    return ButtonBands(128, 256, captions, Rgb(70, 60, 150), 15, language);
}

Canvas PauseMenu(Language language) {
    Canvas c(256, 256);
    Panel(c, 8, 6, 248, 58, 12, Rgb(60, 50, 120), Rgb(24, 20, 60), kGold);
    BandCaption(c, 8, 0, 248, 64, Words{"ＰＡＵＳＥ", "PAUSE"}.In(language),
                WordCaption(language, 28, Rgb(255, 250, 220), kGold, 32, Rgb(20, 14, 30)));
    const Words items[] = {{"ゲームに戻る", "Resume"}, {"タイトルへ戻る", "Quit to Title"}, {"リトライ", "Retry"}};
    for (int i = 0; i < 3; ++i) {
        const float y0 = 64.0f * static_cast<float>(i + 1);
        Canvas item(256, 64);
        item.Fill(RoundRect(20, 14, 236, 50, 18), Linear(0, 14, 256, 50,
                                                         {{0, Rgb(20, 20, 50, 0.0f)},
                                                          {0.2f, Rgb(30, 30, 80, 0.85f)},
                                                          {0.8f, Rgb(30, 30, 80, 0.85f)},
                                                          {1, Rgb(20, 20, 50, 0.0f)}}));
        item.Fill(Rect(30, 48, 226, 49.5f),
                  Linear(30, 0, 226, 0, {{0, WithAlpha(kGold, 0)}, {0.5f, kGold}, {1, WithAlpha(kGold, 0)}}));
        BandCaption(item, 20, 0, 236, 64, items[i].In(language),
                    WordCaption(language, ByLanguage(language, 22.0f, 21.0f), kWhite, Rgb(200, 220, 255), 32));
        c.Draw(item, 0, y0);
    }
    return c;
}

Canvas TitleSelect(Language language) {
    Canvas c(256, 256);
    const Words captions[8] = {{"ゲームスタート", "Start Game"}, {}, {}, {}, {}, {"ミュージックルーム", "Music Room"},
                               {"オプション", "Options"}, {"終了", "Quit"}};
    for (int i = 0; i < 8; ++i) {
        if (captions[i].Empty()) {
            continue;
        }
        const float y0 = 32.0f * static_cast<float>(i);
        c.Fill(Star(34, y0 + 16, 7, 3, 4, -1.5708f), Radial(34, y0 + 16, 7, kWhite, kGold));
        FittedText(c, captions[i].In(language), 48, y0 + 16, Align::Left, 256 - 48,
                   WordCaption(language, 20, kWhite, Rgb(255, 220, 160), y0 + 16, Rgb(30, 20, 60)));
    }
    return c;
}

Canvas Arrow() {
    Canvas c(32, 32);
    const Shape arrow = Polygon({{8, 5}, {27, 16}, {8, 27}, {12, 16}});
    c.Glow(arrow, WithAlpha(kGold, 0.6f), 4);
    c.Fill(arrow, Linear(8, 5, Rgb(255, 250, 200), 8, 27, Rgb(230, 150, 40)));
    c.Fill(Outline(arrow, 1.2f), Rgb(90, 50, 10));
    return c;
}

Canvas MouseCursor() {
    Canvas c(32, 32);
    const Shape pointer = Polygon({{3, 2}, {24, 17}, {14, 18}, {19, 28}, {15, 30}, {10, 20}, {3, 26}});
    c.Fill(pointer, Linear(3, 2, kWhite, 20, 28, Rgb(200, 210, 255)));
    c.Fill(Outline(pointer, 1.5f), kInk);
    return c;
}

// A button of the title screens: the face, at the size its hit box takes (112 x 28 unless
// narrower), centred in a 128 x 32 band and drawn 1:1 so the caption stays sharp. Lit (the mouse
// is over it), the face is brighter and rimmed with light.
struct ButtonFace {
    float width = 112;
    float height = 28;
};

void TitleButton(Canvas& c, float y0, const std::string& caption, Color base, bool lit, ButtonFace size,
                 Language language) {
    const float x0 = 64 - size.width * 0.5f;
    const float top = y0 + 16 - size.height * 0.5f;
    const Shape face = RoundRect(x0, top, x0 + size.width, top + size.height, 8);
    if (lit) {
        c.Glow(face, WithAlpha(Rgb(255, 236, 170), 0.9f), 3.5f);
    }
    Button(c, x0, top, x0 + size.width, top + size.height, lit ? Shade(base, 0.3f) : base);
    if (lit) {
        c.Fill(Outline(face, 1.2f), Rgb(255, 246, 210));
    }
    // Within the face, clear of its rounded ends.
    BandCaption(c, x0 + 4, y0, x0 + size.width - 4, y0 + 32, caption,
                WordCaption(language, size.height * 0.54f, kWhite, lit ? Rgb(255, 250, 225) : Rgb(255, 226, 150),
                            y0 + 16));
}

// Title-screen buttons, one band each: the plain looks in the upper half of the sheet, the lit
// looks in the same order in the lower half.
Canvas TitleButtons(const std::vector<Words>& captions, Color base, Language language, ButtonFace size = {}) {
    const auto count = static_cast<int>(captions.size());
    Canvas c(128, 64 * count);
    for (int i = 0; i < count; ++i) {
        const std::string caption = captions[static_cast<std::size_t>(i)].In(language);
        TitleButton(c, 32.0f * static_cast<float>(i), caption, base, false, size, language);
        TitleButton(c, 32.0f * static_cast<float>(i + count), caption, base, true, size, language);
    }
    return c;
}

// The option screen's switch: ON bright green, OFF a dark slate, each caption white on a dark
// outline so that both read at a glance.
Canvas OnOff() {
    Canvas c(128, 64);
    Button(c, 4, 2, 124, 30, Rgb(40, 150, 80));
    BandCaption(c, 0, 0, 128, 32, "ＯＮ", Caption(Font::Japanese, 18, kWhite, Rgb(210, 255, 210), 16));
    Button(c, 4, 34, 124, 62, Rgb(52, 46, 74));
    TextStyle off = Caption(Font::Japanese, 18, kWhite, Rgb(215, 215, 235), 48, Rgb(8, 6, 16));
    off.outlineWidth = 2.0f;
    BandCaption(c, 0, 32, 128, 64, "ＯＦＦ", off);
    return c;
}

// The information panel backgrounds: painted at their drawn size, stretched over the texture.
// The information panel: a dark header for the white name line, a pale body for the black
// descriptions and the shaded numbers the panel draws on it.
Canvas StatusPanel() {
    Canvas painted(180, 300);
    Panel(painted, 1, 1, 179, 299, 10, Rgb(238, 234, 246, 0.96f), Rgb(206, 200, 222, 0.96f), kGoldDark);
    painted.Fill(RoundRect(4, 4, 176, 31, 7), Linear(0, 4, Rgb(52, 50, 108), 0, 31, Rgb(24, 22, 56)));
    painted.Fill(Rect(4, 31, 176, 32.5f), WithAlpha(kGold, 0.8f));
    return ToTexture(painted, 256, 512);
}

// The next-level section of a placed tower, drawn over the panel after its name, first
// description and current numbers: clear over those, with a card for the gains (numbers from
// x 560) and one for the details and the second description.
Canvas UpgradeSection() {
    Canvas painted(180, 270);
    const Color card = Rgb(252, 240, 220, 0.97f);
    const Color cardFoot = Rgb(236, 214, 186, 0.97f);
    painted.Fill(RoundRect(92, 70, 176, 146, 6), Linear(0, 70, card, 0, 146, cardFoot));
    painted.Fill(Outline(RoundRect(92, 70, 176, 146, 6), 1.2f), kGoldDark);
    painted.Fill(Polygon({{80, 100}, {88, 108}, {80, 116}}), kGoldDark);  // from now to the next level
    painted.Fill(RoundRect(6, 157, 176, 238, 6), Linear(0, 157, card, 0, 238, cardFoot));
    painted.Fill(Outline(RoundRect(6, 157, 176, 238, 6), 1.2f), kGoldDark);
    return ToTexture(painted, 256, 512);
}

Canvas UpgradeFace() {
    Canvas c(64, 64);
    c.Fill(RoundRect(1, 1, 63, 63, 10), Rgb(60, 30, 10));
    c.Fill(RoundRect(3, 3, 61, 61, 8),
           Linear(0, 3, 0, 61, {{0, Rgb(255, 200, 110)}, {0.5f, Rgb(220, 120, 40)}, {1, Rgb(150, 60, 20)}}));
    c.Fill(RoundRect(6, 5, 58, 28, 6), Linear(0, 5, WithAlpha(kWhite, 0.55f), 0, 28, WithAlpha(kWhite, 0.05f)));
    return c;
}

Canvas LockOnTarget() {
    Canvas c(64, 64);
    const Color red = Rgb(255, 70, 60);
    c.Glow(Outline(Circle(32, 32, 22), 2), WithAlpha(red, 0.5f), 4);
    c.Fill(Outline(Circle(32, 32, 22), 2.5f), red);
    c.Fill(Outline(Circle(32, 32, 12), 1.5f), WithAlpha(red, 0.8f));
    for (int i = 0; i < 4; ++i) {
        const float a = static_cast<float>(i) * 1.5708f;
        const float cx = 32 + std::cos(a) * 24;
        const float cy = 32 + std::sin(a) * 24;
        c.Fill(Rotated(Polygon({{cx - 5, cy - 4}, {cx + 5, cy - 4}, {cx, cy + 5}}), cx, cy, a + 1.5708f), red);
    }
    c.Fill(Circle(32, 32, 2), kWhite);
    return c;
}

Canvas ResultWindow() {
    Canvas c(256, 256);
    Panel(c, 4, 4, 252, 252, 18, Rgb(40, 44, 100, 0.95f), Rgb(14, 14, 40, 0.95f), kGold);
    c.Fill(Outline(RoundRect(10, 10, 246, 246, 14), 1), WithAlpha(kGold, 0.6f));
    // A pale score sheet behind the four rows: the window draws their numbers in dark grey.
    c.Fill(RoundRect(24, 58, 232, 190, 8), Linear(0, 58, Rgb(246, 242, 230), 0, 190, Rgb(222, 214, 196)));
    c.Fill(Outline(RoundRect(24, 58, 232, 190, 8), 1.2f), WithAlpha(kGold, 0.8f));
    c.Fill(Rect(34, 156, 222, 157), WithAlpha(Rgb(120, 100, 70), 0.6f));
    for (int i = 0; i < 4; ++i) {
        const float x = i % 2 == 0 ? 18.0f : 238.0f;
        const float y = i < 2 ? 18.0f : 238.0f;
        c.Fill(Star(x, y, 7, 2.5f, 4, 0), kGold);
    }
    return c;
}

Canvas ResultTitles() {
    Canvas c(128, 128);
    BandCaption(c, 0, 0, 128, 64, "CLEAR!",
                Caption(Font::LatinBold, 30, Rgb(255, 255, 200), Rgb(255, 170, 30), 32, Rgb(90, 30, 0)));
    BandCaption(c, 0, 64, 128, 128, "GAME OVER",
                Caption(Font::LatinBold, 17, Rgb(220, 220, 255), Rgb(120, 110, 200), 96, Rgb(20, 10, 40)));
    return c;
}

Canvas ResultRows(Language language) {
    Canvas c(128, 128);
    // The window draws each row's number from x 265 and the label's centre at x 215, so a label
    // must end about 96 pixels into its band: the long one is set smaller to stay clear.
    constexpr float kLeft = 2.0f;
    constexpr float kRoom = 96.0f;
    const Words rows[] = {{"獲得ポイント", "Points"}, {"残機ボーナス", "Life Bonus"}, {"ウェーブボーナス", "Wave Bonus"},
                          {"合計", "Total"}};
    const auto glyphs = [](const std::string& text) {
        return std::count_if(text.begin(), text.end(), [](char byte) { return (byte & 0xC0) != 0x80; });
    };
    for (int i = 0; i < 4; ++i) {
        const float y = 32.0f * static_cast<float>(i) + 16.0f;
        const bool total = i == 3;
        // Dark ink on the window's pale score sheet, with a light rim to lift it off the paper.
        const Color top = total ? Rgb(170, 30, 20) : Rgb(44, 40, 90);
        const Color bottom = total ? Rgb(110, 16, 10) : Rgb(24, 20, 56);
        const std::string text = rows[i].In(language);
        // Latin letters are narrower than a kana's em: English keeps one size, and words that fit.
        const float fitting = kRoom / static_cast<float>(glyphs(text));
        const float size = total ? 18.0f : ByLanguage(language, std::min(15.0f, fitting), 14.0f);
        TextStyle style = WordCaption(language, size, top, bottom, y, Rgb(255, 252, 240));
        style.font = ByLanguage(language, Font::Japanese, Font::LatinNarrowBold);
        FittedText(c, text, kLeft, y, Align::Left, kRoom, style);
    }
    return c;
}

Canvas Square() {
    Canvas c(32, 32);
    c.Fill(RoundRect(2, 2, 30, 30, 4), Linear(0, 2, Rgb(255, 255, 255), 0, 30, Rgb(200, 200, 210)));
    c.Fill(Outline(RoundRect(2, 2, 30, 30, 4), 1.2f), Rgb(60, 60, 80));
    return c;
}

Canvas ScoreBadge() {
    Canvas c(128, 32);
    Panel(c, 1, 1, 127, 31, 8, Rgb(60, 40, 110), Rgb(30, 20, 60), kGold);
    BandCaption(c, 0, 0, 128, 32, "SCORE", Caption(Font::LatinBold, 16, kWhite, kGold, 16));
    return c;
}

Canvas OptionMenu(Language language) {
    // Labels of the option screen, one 1/8 band each: music volume, effect volume, grid display,
    // the return caption, then the guides. Drawn centred at x 190, a label keeps clear of the
    // minus buttons from x 314: 200 pixels across at most.
    Canvas c(256, 256);
    const Words labels[] = {{"ＢＧＭ音量", "Music Volume"}, {"ＳＥ音量", "Sound Volume"}, {"グリッド表示", "Show Grid"},
                            {"戻る", "Back"}, {"ガイド", "Guides"}};
    for (int i = 0; i < 5; ++i) {
        const float y = 32.0f * static_cast<float>(i) + 16.0f;
        FittedText(c, labels[i].In(language), 128, y, Align::Centre, 200,
                   WordCaption(language, 20, kWhite, Rgb(190, 210, 255), y));
    }
    return c;
}

Canvas MusicEdit(Language language) {
    // The music room's buttons, one 1/8 band each: pause, resume, reseed, return; then the same
    // four lit.
    return TitleButtons({{"一時停止", "Pause"}, {"再開", "Resume"}, {"リセット", "Reset"}, {"戻る", "Back"}},
                        Rgb(50, 90, 150), language);
}

Canvas SmallButton(bool plus) {
    Canvas c(32, 32);
    c.Fill(Circle(16, 16, 14), Rgb(40, 20, 10));
    c.Fill(Circle(16, 16, 12.5f), Radial(12, 10, 18, Rgb(255, 220, 140), Rgb(200, 110, 30)));
    c.Fill(RoundRect(8, 14, 24, 18, 1.5f), kWhite);
    if (plus) {
        c.Fill(RoundRect(14, 8, 18, 24, 1.5f), kWhite);
    }
    return c;
}

Canvas ExtraMark() {
    Canvas c(32, 32);
    const Shape star = Star(16, 16.5f, 14, 6, 5, -1.5708f);
    c.Glow(star, WithAlpha(Rgb(255, 230, 120), 0.6f), 3);
    c.Fill(star, Radial(16, 14, 14, Rgb(255, 255, 220), Rgb(255, 170, 20)));
    c.Fill(Outline(star, 1), Rgb(140, 70, 0));
    return c;
}

}  // namespace

void PaintUiImages(ImageSet& set) {
    set.AddWorded("menu.png", MenuButtons);
    set.AddWorded("menu_select.png", PauseMenu);
    set.AddWorded("title_select.png", TitleSelect);
    set.AddWorded("title_menuselect.png", TitleSelect);
    set.Add("cursor_s.png", Arrow());
    set.Add("cursor.png", MouseCursor());
    set.AddWorded("gamestart.png",
                  [](Language language) { return TitleButtons({{"出撃！", "Deploy!"}}, Rgb(190, 60, 50), language); });
    // Centred at x 50, so a narrower face stays on the screen.
    set.AddWorded("returntitle.png", [](Language language) {
        return TitleButtons({{"タイトルへ", "To Title"}}, Rgb(70, 70, 130), language, {96, 24});
    });
    set.Add("on_off.png", OnOff());
    set.Add("status_base.png", StatusPanel());
    set.Add("upgrade_base.png", UpgradeSection());
    set.Add("upgrade.png", UpgradeFace());
    set.Add("target.png", LockOnTarget());
    set.Add("gameinform_base.png", ResultWindow());
    set.Add("gameinform.png", ResultTitles());
    set.AddWorded("gameinform2.png", ResultRows);
    set.Add("sikaku.png", Square());
    set.Add("score_b.png", ScoreBadge());
    set.AddWorded("optionmenu.png", OptionMenu);
    set.AddWorded("music_edit.png", MusicEdit);
    set.Add("button_minus.png", SmallButton(false));
    set.Add("button_plus.png", SmallButton(true));
    set.AddWorded("button_return.png",
                  [](Language language) { return TitleButtons({{"戻る", "Back"}}, Rgb(70, 70, 130), language); });
    set.Add("extra_mark.png", ExtraMark());
}

}  // namespace assetgen
