#include "ArtKit.h"

#include <cmath>

#include "Noise.h"

namespace assetgen {

namespace kit {

void Panel(Canvas& c, float x0, float y0, float x1, float y1, float radius, Color top, Color bottom, Color rim) {
    // The rim is a stroke, not a fill underneath, so translucent bodies do not show it through.
    c.Fill(RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(0.0f, radius - 1)), Linear(0, y0, top, 0, y1, bottom));
    c.Fill(Outline(RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(0.0f, radius - 1)), 2), rim);
    c.Fill(Outline(RoundRect(x0 + 3.5f, y0 + 3.5f, x1 - 3.5f, y1 - 3.5f, std::max(0.0f, radius - 3.5f)), 1.0f),
           WithAlpha(Shade(top, 0.5f), 0.55f));
}

void Button(Canvas& c, float x0, float y0, float x1, float y1, Color base) {
    const float r = std::min(8.0f, (y1 - y0) * 0.35f);
    c.Fill(RoundRect(x0, y0, x1, y1, r), Shade(base, -0.6f));
    c.Fill(RoundRect(x0 + 1.5f, y0 + 1.5f, x1 - 1.5f, y1 - 1.5f, r - 1.0f),
           Linear(0, y0, 0, y1,
                  {{0.0f, Shade(base, 0.45f)}, {0.48f, Shade(base, 0.1f)}, {0.52f, base}, {1.0f, Shade(base, -0.3f)}}));
    c.Fill(Outline(RoundRect(x0 + 2.5f, y0 + 2.5f, x1 - 2.5f, y1 - 2.5f, r - 2.0f), 1.0f), WithAlpha(kGold, 0.7f));
}

TextStyle Caption(Font font, float size, Color top, Color bottom, float centreY, Color outline) {
    TextStyle style;
    style.font = font;
    style.size = size;
    style.fill = Linear(0, centreY - size * 0.5f, top, 0, centreY + size * 0.5f, bottom);
    style.outline = outline;
    style.outlineWidth = size >= 20 ? 2.0f : 1.2f;
    return style;
}

TextStyle WordCaption(Language language, float size, Color top, Color bottom, float centreY, Color outline) {
    const Font font = ByLanguage(language, Font::Japanese, Font::LatinBold);
    TextStyle style = Caption(font, size, top, bottom, centreY, outline);
    style.kerning = language != Language::Japanese;
    return style;
}

namespace {

std::vector<std::string>& OverflowList() {
    static std::vector<std::string> list;
    return list;
}

}  // namespace

void BandCaption(Canvas& c, float x0, float y0, float x1, float y1, const std::string& text, const TextStyle& style) {
    FittedText(c, text, (x0 + x1) * 0.5f, (y0 + y1) * 0.5f, Align::Centre, x1 - x0, style);
}

void FittedText(Canvas& c, const std::string& text, float x, float centreY, Align align, float room,
                const TextStyle& style) {
    // The outline widens the ink on both sides.
    const float width = InkWidth(text, style) + 2.0f * style.outlineWidth;
    if (width > room) {
        OverflowList().push_back("\"" + text + "\" is " + std::to_string(static_cast<int>(std::ceil(width))) +
                                 " pixels wide in a room of " + std::to_string(static_cast<int>(room)));
    }
    DrawText(c, text, x, centreY, align, style);
}

const std::vector<std::string>& Overflows() { return OverflowList(); }

Canvas ToTexture(const Canvas& painted, int width, int height) { return painted.Resized(width, height); }

Canvas Backdrop(int width, int height, Color top, Color bottom, unsigned seed) {
    Canvas c(width, height);
    c.FillAll([&](float x, float y) {
        const float n = Fractal(x / 90.0f, y / 90.0f, seed, 4);
        return Shade(Mix(top, bottom, y / static_cast<float>(height)), (n - 0.5f) * 0.35f);
    });
    return c;
}

void Sparkles(Canvas& c, int count, unsigned seed, Color color, float maxRadius, float x0, float y0, float x1,
              float y1) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const float x = rng.Range(x0, x1);
        const float y = rng.Range(y0, y1);
        const float r = rng.Range(0.4f, maxRadius);
        const float a = rng.Range(0.3f, 1.0f);
        c.Glow(Circle(x, y, r * 0.5f), WithAlpha(color, a * color.a), r * 2.5f);
        c.Fill(Circle(x, y, r * 0.6f), WithAlpha(kWhite, a));
    }
}

}  // namespace kit

}  // namespace assetgen
