#include "ContactSheet.h"

#include <algorithm>
#include <cmath>

#include "Text.h"

namespace assetgen {

namespace {

constexpr int kColumns = 8;
constexpr int kTile = 200;
constexpr int kLabel = 34;

}  // namespace

Canvas MakeContactSheet(const ImageSet& set) {
    const int count = static_cast<int>(set.Images().size());
    const int rows = (count + kColumns - 1) / kColumns;
    Canvas sheet(kColumns * kTile, rows * (kTile + kLabel), Rgb(48, 48, 56));
    TextStyle label;
    label.font = Font::Latin;
    label.size = 12;
    for (int i = 0; i < count; ++i) {
        const NamedImage& image = set.Images()[static_cast<std::size_t>(i)];
        const float x0 = static_cast<float>((i % kColumns) * kTile);
        const float y0 = static_cast<float>((i / kColumns) * (kTile + kLabel));
        const float w = static_cast<float>(image.picture.Width());
        const float h = static_cast<float>(image.picture.Height());
        const float scale = std::min({(kTile - 12) / w, (kTile - 12) / h, 4.0f});
        const float dw = std::floor(w * scale);
        const float dh = std::floor(h * scale);
        const float left = x0 + std::floor((kTile - dw) * 0.5f);
        const float top = y0 + std::floor((kTile - dh) * 0.5f);
        sheet.Fill(
            Rect(left, top, left + dw, top + dh),
            [](float x, float y) {
                const bool dark = (static_cast<int>(x / 8) + static_cast<int>(y / 8)) % 2 == 0;
                return dark ? Rgb(90, 90, 100) : Rgb(130, 130, 140);
            },
            0.01f);
        sheet.Draw(image.picture, left, top, dw, dh);
        DrawText(sheet, image.name, x0 + kTile * 0.5f, y0 + kTile + 9, Align::Centre, label);
        DrawText(sheet, std::to_string(image.picture.Width()) + " x " + std::to_string(image.picture.Height()),
                 x0 + kTile * 0.5f, y0 + kTile + 25, Align::Centre, label);
    }
    return sheet;
}

namespace {

const Canvas& Picture(const ImageSet& set, const char* name) {
    static const Canvas empty(1, 1);
    const Canvas* found = set.Find(name);
    return found != nullptr ? *found : empty;
}

// Draws cell (col, row) of a sheet cut into cols x rows, centred at (x, y) with the given size.
void DrawCell(Canvas& frame, const Canvas& sheet, int cols, int rows, int col, int row, float x, float y, float w,
              float h, float opacity = 1.0f) {
    const int cw = sheet.Width() / cols;
    const int ch = sheet.Height() / rows;
    frame.Draw(sheet.Region(col * cw, row * ch, cw, ch), x - w * 0.5f, y - h * 0.5f, w, h, opacity);
}

}  // namespace

Canvas MakeBattleMock(const ImageSet& set, const char* stage, const char* overlay) {
    Canvas frame(640, 480, Rgb(0, 0, 0));
    frame.Draw(Picture(set, stage), -32, -32, 512, 512);
    const char* enemies[] = {"enemy_f_red.png", "enemy_f_blue.png", "enemy_wool.png",   "enemy_evil.png",
                             "enemy_crow.png",  "enemy_spirit.png", "enemy_frelle.png", "enemy_noctra.png"};
    for (int i = 0; i < 8; ++i) {
        DrawCell(frame, Picture(set, enemies[i]), 4, 8, i % 4, 2, 60.0f + 40.0f * static_cast<float>(i), 232, 32, 32);
    }
    DrawCell(frame, Picture(set, "enemy_bigwool.png"), 4, 8, 0, 4, 232, 150, 48, 48);
    for (int i = 0; i < 10; ++i) {
        const float x = 80.0f + 32.0f * static_cast<float>(i);
        frame.Draw(Picture(set, "towerground.png"), x - 16, 300, 32, 32);
        DrawCell(frame, Picture(set, i < 5 ? "ardel_tank.png" : "sovia_tank.png"), 4, 4, i % 5 % 4, i % 5 / 4, x, 316,
                 32, 32);
    }
    frame.Draw(Picture(set, "spread.png"), 112 - 60, 316 - 60, 120, 120, 0.8f);
    frame.Draw(Picture(set, overlay), -32, -32, 512, 512, 150.0f / 255.0f);
    frame.Draw(Picture(set, "gameback.png"), 0, 0, 640, 480);
    for (int i = 0; i < 10; ++i) {
        const float x = 470.0f + 37.0f * static_cast<float>(i % 5);
        const float y = i < 5 ? 130.0f : 165.0f;
        DrawCell(frame, Picture(set, "ardel_tank.png"), 4, 4, i % 4, i / 4, x, y, 32, 32);
    }
    DrawCell(frame, Picture(set, "ardel_animation.png"), 4, 4, 0, 0, 490, 95, 32, 64);
    frame.Draw(Picture(set, "life_icon.png"), 548, 58, 24, 24);
    frame.Draw(Picture(set, "p.png"), 548, 84, 24, 24);
    DrawCell(frame, Picture(set, "menu.png"), 1, 8, 0, 0, 588, 16, 96, 24);
    DrawCell(frame, Picture(set, "menu.png"), 1, 8, 0, 1, 588, 44, 96, 24);
    DrawCell(frame, Picture(set, "score.png"), 1, 2, 0, 0, 465, 12, 64, 16);
    DrawCell(frame, Picture(set, "score.png"), 1, 2, 0, 1, 465, 45, 64, 16);
    DrawCell(frame, Picture(set, "lv_select.png"), 1, 8, 0, 1, 400, 9, 64, 16);
    frame.Draw(Picture(set, "status_base.png"), 454, 180, 180, 300);
    for (int i = 0; i < 4; ++i) {
        const float x = 76.0f + 62.0f * static_cast<float>(i);
        DrawCell(frame, Picture(set, "enemykind_color.png"), 4, 4, i, 0, x, 454, 64, 32);
        DrawCell(frame, Picture(set, "level_number.png"), 8, 2, i + 1, 0, x, 454, 30, 32);
        DrawCell(frame, Picture(set, "enemykind_mozi.png"), 4, 4, i, 0, x, 454, 64, 32);
        frame.Draw(Picture(set, "gauge_flame.png"), x - 32, 438, 64, 32);
    }
    frame.Draw(Picture(set, "levelflame.png"), 44, 438, 64, 32);
    for (int d = 0; d < 3; ++d) {
        DrawCell(frame, Picture(set, "number.png"), 8, 2, (d * 3 + 1) % 8, 0, 580.0f + 11.0f * static_cast<float>(d),
                 70, 20, 24);
    }
    return frame;
}

}  // namespace assetgen
