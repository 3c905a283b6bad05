// The two characters' tower sheets (4 x 4 cells of 32 x 32, cells 0..9 used) and tower spells.
#include <cmath>
#include <functional>

#include "ArtKit.h"
#include "ImageSet.h"

namespace assetgen {

namespace {

using namespace kit;

constexpr float kPi = 3.14159265f;

using TowerPainter = std::function<void(Canvas&)>;

// Every cell is opaque: a stone plinth in the character's colours with the tower on it.
Canvas TowerSheet(const std::vector<TowerPainter>& towers, Color plinth) {
    Canvas sheet(128, 128);
    for (std::size_t i = 0; i < towers.size(); ++i) {
        Canvas cell(32, 32);
        cell.Fill(Rect(0, 0, 32, 32), Linear(0, 0, Shade(plinth, 0.35f), 32, 32, Shade(plinth, -0.45f)));
        cell.Fill(RoundRect(2, 2, 30, 30, 4), Radial(16, 14, 20, Shade(plinth, 0.15f), Shade(plinth, -0.3f)));
        cell.Fill(Outline(RoundRect(2, 2, 30, 30, 4), 1), WithAlpha(kGold, 0.55f));
        Canvas art(32, 32);
        towers[i](art);
        art.AddOutline(Rgb(15, 10, 20, 0.85f), 1.0f);
        cell.Draw(art, 0, 0);
        sheet.Draw(cell, static_cast<float>(i % 4) * 32, static_cast<float>(i / 4) * 32);
    }
    return sheet;
}

void Talisman(Canvas& c, float cx, float cy, float angle, Color ink) {
    const Shape paper = Rotated(RoundRect(cx - 4, cy - 7, cx + 4, cy + 7, 1), cx, cy, angle);
    c.Fill(paper, Rgb(255, 250, 235));
    c.Fill(Rotated(Rect(cx - 1, cy - 5, cx + 1, cy + 5), cx, cy, angle), ink);
    c.Fill(Rotated(Circle(cx, cy - 1, 2), cx, cy, angle), ink);
}

std::vector<TowerPainter> ArdelTowers() {
    return {
        [](Canvas& c) {  // Pebble: a round stone turret with a short barrel
            c.Fill(RegularPolygon(16, 18, 10, 8, 0.39f), Linear(0, 8, Rgb(210, 200, 190), 0, 28, Rgb(110, 100, 95)));
            c.Fill(RoundRect(13, 3, 19, 15, 2), Linear(13, 0, Rgb(120, 110, 105), 19, 0, Rgb(200, 190, 180)));
            c.Fill(Circle(16, 18, 5.5f), Radial(14, 16, 7, Rgb(235, 230, 220), Rgb(140, 130, 125)));
            c.Fill(Circle(16, 18, 2.2f), Rgb(210, 40, 40));
            c.Fill(Circle(15.3f, 17.3f, 0.8f), Rgb(255, 200, 200));
        },
        [](Canvas& c) {  // Homing amulets: a fan of talismans
            Talisman(c, 11, 17, -0.4f, Rgb(200, 30, 40));
            Talisman(c, 21, 17, 0.4f, Rgb(200, 30, 40));
            Talisman(c, 16, 14, 0.0f, Rgb(200, 30, 40));
            c.Glow(Circle(16, 14, 3), WithAlpha(Rgb(255, 120, 120), 0.5f), 5);
        },
        [](Canvas& c) {  // Spindle: a rack of needles
            for (int i = 0; i < 5; ++i) {
                const float x = 8.0f + 4.0f * static_cast<float>(i);
                c.Fill(Polygon({{x - 1.2f, 26}, {x + 1.2f, 26}, {x, 5 + std::fabs(static_cast<float>(i) - 2) * 3}}),
                       Linear(0, 5, Rgb(255, 255, 255), 0, 26, Rgb(150, 160, 190)));
            }
            c.Fill(RoundRect(6, 22, 26, 27, 2), Linear(0, 22, Rgb(240, 200, 100), 0, 27, Rgb(150, 90, 30)));
        },
        [](Canvas& c) {  // Gale: a swirling fan
            for (int i = 0; i < 3; ++i) {
                const float a = static_cast<float>(i) * 2.0f * kPi / 3.0f;
                c.Fill(Rotated(Ellipse(16, 9.5f, 4, 7), 16, 16, a),
                       Linear(16, 3, Rgb(220, 255, 240), 16, 16, Rgb(60, 170, 140)));
            }
            c.Fill(Circle(16, 16, 3), Rgb(40, 100, 90));
        },
        [](Canvas& c) {  // Brask amulet: a stack of red seals
            for (int i = 0; i < 3; ++i) {
                const float y = 20.0f - 4.0f * static_cast<float>(i);
                c.Fill(RoundRect(8, y - 4, 24, y + 4, 1.5f),
                       Linear(0, y - 4, Rgb(255, 120, 100), 0, y + 4, Rgb(170, 20, 30)));
                c.Fill(Rect(12, y - 1, 20, y + 1), Rgb(255, 230, 150));
            }
        },
        [](Canvas& c) {  // Pebble Seal: stones around a seal circle
            c.Fill(Outline(Circle(16, 16, 9), 1.6f), Rgb(255, 90, 90));
            c.Fill(Outline(Star(16, 16, 9, 4, 5, -kPi / 2), 1), Rgb(255, 180, 180));
            for (int i = 0; i < 6; ++i) {
                const float a = static_cast<float>(i) * kPi / 3.0f;
                c.Fill(Circle(16 + 11 * std::cos(a), 16 + 11 * std::sin(a), 2.3f), Rgb(210, 205, 195));
            }
        },
        [](Canvas& c) {  // Lantern
            c.Glow(Circle(16, 17, 5), WithAlpha(Rgb(255, 200, 90), 0.8f), 7);
            c.Fill(RoundRect(10, 10, 22, 25, 5), Linear(0, 10, Rgb(255, 240, 170), 0, 25, Rgb(240, 130, 40)));
            c.Fill(Rect(11, 8, 21, 10.5f), Rgb(60, 30, 20));
            c.Fill(Rect(11, 24.5f, 21, 27), Rgb(60, 30, 20));
            c.Fill(Rect(15.3f, 4, 16.7f, 8), Rgb(60, 30, 20));
        },
        [](Canvas& c) {  // Sunburst: a radiant sun seal
            c.Glow(Circle(16, 16, 6), WithAlpha(Rgb(255, 200, 60), 0.7f), 8);
            c.Fill(Star(16, 16, 12, 7, 12, 0), Rgb(255, 170, 40));
            c.Fill(Circle(16, 16, 7), Radial(14, 14, 9, Rgb(255, 255, 220), Rgb(255, 180, 40)));
        },
        [](Canvas& c) {  // Twinward: twin barrier squares
            c.Fill(Outline(Rotated(Rect(7, 7, 25, 25), 16, 16, 0.2f), 2), Rgb(255, 120, 160));
            c.Fill(Outline(Rotated(Rect(9, 9, 23, 23), 16, 16, -0.5f), 2), Rgb(255, 220, 240));
            c.Fill(Circle(16, 16, 3), Rgb(255, 80, 120));
        },
        [](Canvas& c) {  // Soul: a wisp in a circle
            c.Fill(Outline(Circle(16, 16, 11), 1.5f), Rgb(170, 140, 255));
            c.Glow(Circle(16, 15, 4), WithAlpha(Rgb(200, 180, 255), 0.8f), 5);
            c.Fill(Union(Circle(16, 15, 4.5f), Polygon({{12, 16}, {20, 16}, {18, 24}})), Rgb(235, 225, 255));
        },
    };
}

std::vector<TowerPainter> SoviaTowers() {
    return {
        [](Canvas& c) {  // Magic missile: a floating crystal over a small altar
            c.Fill(Polygon({{9, 27}, {23, 27}, {20, 22}, {12, 22}}),
                   Linear(0, 22, Rgb(200, 190, 220), 0, 27, Rgb(100, 90, 130)));
            c.Glow(Circle(16, 12, 4), WithAlpha(Rgb(120, 180, 255), 0.7f), 6);
            const Shape crystal = Polygon({{16, 3}, {20.5f, 9}, {19, 18}, {16, 20}, {13, 18}, {11.5f, 9}});
            c.Fill(crystal, Linear(11, 3, Rgb(235, 250, 255), 21, 20, Rgb(60, 110, 240)));
            c.Fill(Polygon({{16, 3}, {16, 20}, {13, 18}, {11.5f, 9}}), Rgb(255, 255, 255, 0.35f));
        },
        [](Canvas& c) {  // Mirage laser: a prism lens
            c.Fill(Polygon({{16, 5}, {26, 25}, {6, 25}}),
                   Linear(6, 5, Rgb(220, 240, 255, 0.95f), 26, 25, Rgb(120, 150, 240, 0.9f)));
            c.Fill(Polygon({{16, 10}, {22, 23}, {10, 23}}),
                   Linear(10, 10, Rgb(255, 180, 255, 0.6f), 22, 23, Rgb(180, 255, 250, 0.6f)));
            c.Fill(Rect(2, 15, 11, 16.5f), Rgb(255, 80, 80, 0.9f));
        },
        [](Canvas& c) {  // Star dust missile: a rocket
            c.Fill(Polygon({{16, 3}, {21, 11}, {21, 23}, {11, 23}, {11, 11}}),
                   Linear(11, 0, Rgb(240, 240, 255), 21, 0, Rgb(150, 150, 190)));
            c.Fill(Polygon({{11, 17}, {6, 26}, {11, 23}}), Rgb(220, 60, 60));
            c.Fill(Polygon({{21, 17}, {26, 26}, {21, 23}}), Rgb(220, 60, 60));
            c.Fill(Circle(16, 13, 2.5f), Rgb(90, 170, 255));
            c.Fill(Polygon({{13, 23}, {19, 23}, {16, 29}}), Rgb(255, 200, 60));
        },
        [](Canvas& c) {  // Spread star
            c.Glow(Star(16, 16, 12, 5, 5, -kPi / 2), WithAlpha(Rgb(140, 255, 140), 0.6f), 3);
            c.Fill(Star(16, 16, 12, 5, 5, -kPi / 2), Radial(16, 14, 12, Rgb(240, 255, 200), Rgb(80, 210, 80)));
        },
        [](Canvas& c) {  // Cold frostfire: a snowflake
            for (int i = 0; i < 3; ++i) {
                const float a = static_cast<float>(i) * kPi / 3.0f;
                c.Fill(Rotated(RoundRect(15, 4, 17, 28, 1), 16, 16, a), Rgb(220, 245, 255));
                for (const float s : {-1.0f, 1.0f}) {
                    c.Fill(Rotated(Capsule(16, 8, 16 + s * 3, 5, 0.8f), 16, 16, a), Rgb(220, 245, 255));
                    c.Fill(Rotated(Capsule(16, 24, 16 + s * 3, 27, 0.8f), 16, 16, a), Rgb(220, 245, 255));
                }
            }
            c.Fill(Circle(16, 16, 3), Rgb(120, 200, 255));
        },
        [](Canvas& c) {  // Nebula: a spiral cloud
            c.Fill(Circle(16, 16, 11), Radial(16, 16, 11, Rgb(255, 150, 255, 0.8f), Rgb(90, 40, 160, 0.4f)));
            for (int i = 0; i < 14; ++i) {
                const float t = static_cast<float>(i) / 14.0f;
                const float a = t * 4.0f * kPi;
                c.Fill(Circle(16 + std::cos(a) * t * 10, 16 + std::sin(a) * t * 10, 1.3f + t),
                       Rgb(255, 230, 255, 0.9f));
            }
        },
        [](Canvas& c) {  // Terra ray: an upward-pointing emitter
            c.Fill(Polygon({{8, 27}, {24, 27}, {19, 12}, {13, 12}}),
                   Linear(8, 0, Rgb(170, 120, 70), 24, 0, Rgb(100, 60, 30)));
            c.Glow(Circle(16, 9, 3), WithAlpha(Rgb(255, 240, 120), 0.8f), 6);
            c.Fill(Circle(16, 9, 4), Radial(15, 8, 5, kWhite, Rgb(255, 210, 60)));
        },
        [](Canvas& c) {  // Planetar: a planet with bits
            c.Fill(Circle(16, 16, 7), Radial(13, 13, 10, Rgb(180, 220, 255), Rgb(40, 80, 180)));
            c.Fill(Outline(Ellipse(16, 16, 13, 4), 1.3f), Rgb(255, 220, 140));
            for (const Point& b : {Point{5, 9}, Point{27, 22}, Point{24, 6}}) {
                c.Fill(Circle(b.x, b.y, 2), Rgb(255, 240, 180));
            }
        },
        [](Canvas& c) {  // Great beam: a magic cannon
            c.Fill(Outline(Circle(16, 16, 12), 1.5f), Rgb(255, 220, 120));
            c.Fill(Star(16, 16, 12, 9, 8, 0), WithAlpha(Rgb(255, 200, 80), 0.35f));
            c.Fill(RoundRect(12, 6, 20, 24, 3), Linear(12, 0, Rgb(230, 230, 250), 20, 0, Rgb(120, 120, 160)));
            c.Glow(Circle(16, 7, 3), WithAlpha(Rgb(255, 120, 80), 0.9f), 4);
        },
        [](Canvas& c) {  // Soul: a wisp on a line
            c.Fill(Rect(3, 15, 29, 17), Rgb(170, 140, 255, 0.8f));
            c.Glow(Circle(16, 15, 4), WithAlpha(Rgb(200, 180, 255), 0.8f), 5);
            c.Fill(Union(Circle(16, 15, 4.5f), Polygon({{12, 16}, {20, 16}, {18, 24}})), Rgb(235, 225, 255));
        },
    };
}

Canvas SoulCircle() {
    Canvas c(256, 256);
    c.Fill(Circle(128, 128, 126),
           Radial(128, 128, 126,
                  {{0, Rgb(150, 120, 255, 0.0f)}, {0.7f, Rgb(150, 120, 255, 0.25f)}, {1, Rgb(200, 180, 255, 0.6f)}}));
    c.Fill(Outline(Circle(128, 128, 122), 3), Rgb(220, 210, 255, 0.9f));
    c.Fill(Outline(Star(128, 128, 110, 50, 6, 0), 1.5f), Rgb(200, 180, 255, 0.5f));
    return c;
}

Canvas SoulStrip() {
    // A strip texture: u runs across, v along the strip.
    Canvas c(64, 256);
    c.FillAll([](float x, float y) {
        const float across = 1.0f - std::fabs(x - 32.0f) / 32.0f;
        const float wave = 0.75f + 0.25f * std::sin(y / 12.0f);
        return Rgb(200, 180, 255, Clamp01(across * across * wave));
    });
    return c;
}

Canvas Barrier() {
    Canvas c(256, 256);
    const Shape square = Rect(8, 8, 248, 248);
    c.Glow(Outline(square, 4), WithAlpha(Rgb(255, 120, 170), 0.5f), 8);
    c.Fill(Outline(square, 4), Rgb(255, 200, 230));
    c.Fill(Outline(Rect(18, 18, 238, 238), 1.5f), Rgb(255, 140, 190, 0.8f));
    c.Fill(Rect(20, 20, 236, 236), Rgb(255, 150, 200, 0.08f));
    return c;
}

}  // namespace

void PaintTowerImages(ImageSet& set) {
    set.Add("ardel_tank.png", TowerSheet(ArdelTowers(), Rgb(120, 70, 70)));
    set.Add("sovia_tank.png", TowerSheet(SoviaTowers(), Rgb(70, 80, 130)));
    set.Add("ardel_soul.png", SoulCircle());
    set.Add("sovia_soul.png", SoulStrip());
    set.Add("kekkai.png", Barrier());
}

}  // namespace assetgen
