#include "ContactSheet.h"

#include <algorithm>
#include <cmath>

#include "Text.h"

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
        sheet.Fill(Rect(left, top, left + dw, top + dh), [](float x, float y) {
            const bool dark = (static_cast<int>(x / 8) + static_cast<int>(y / 8)) % 2 == 0;
            return dark ? Rgb(90, 90, 100) : Rgb(130, 130, 140);
        }, 0.01f);
        sheet.Draw(image.picture, left, top, dw, dh);
        DrawText(sheet, image.name, x0 + kTile * 0.5f, y0 + kTile + 9, Align::Centre, label);
        DrawText(sheet, std::to_string(image.picture.Width()) + " x " + std::to_string(image.picture.Height()),
                 x0 + kTile * 0.5f, y0 + kTile + 25, Align::Centre, label);
    }
    return sheet;
}
