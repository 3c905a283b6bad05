// The two characters' portrait sheets: 4 x 4 cells of 64 x 128. Row 0 idle (breathing, a blink
// in the last frame), row 1 hurt (flinch, hurt, -, recover), row 2 working, row 3 a cheer
// (spare). The game select shows a cell at its own size; the battle's 32 x 64 portrait halves it.
#include <cmath>

#include "ArtKit.h"
#include "ImageSet.h"

namespace assetgen {

namespace {

using namespace kit;

struct Heroine {
    Color hair;
    Color dress;
    Color trim;
    Color eyes;
    bool witchHat;
};

enum class Face { Open, Blink, Hurt, Focus, Happy };

struct Stance {
    float breathe = 0;      // body lift in big pixels
    float lean = 0;         // sideways lean of the head
    float armAngle = 0.3f;  // right arm raised (radians from down)
    Face face = Face::Open;
    bool sweat = false;
    bool sparkle = false;
};

void Eye(Canvas& c, float x, float y, Face face, Color iris) {
    const Color line = Rgb(40, 20, 30);
    switch (face) {
        case Face::Blink:
        case Face::Happy:
            c.Fill(Outline(Ellipse(x, y + (face == Face::Happy ? 1.5f : 0.0f), 3.2f, 1.2f), 1.4f), line);
            break;
        case Face::Hurt:
            c.Fill(Capsule(x - 3, y - 2, x + 3, y, 0.9f), line);
            c.Fill(Capsule(x - 3, y + 2, x + 3, y, 0.9f), line);
            break;
        default:
            c.Fill(Ellipse(x, y, 3.2f, face == Face::Focus ? 2.8f : 4.2f),
                   Linear(0, y - 4, line, 0, y + 4, Shade(iris, 0.1f)));
            c.Fill(Circle(x - 1, y - 1.8f, 1.3f), kWhite);
            break;
    }
}

Canvas Figure(const Heroine& h, const Stance& s) {
    Canvas c(64, 128);
    const Color skin = Rgb(255, 228, 212);
    const float cx = 32;
    const float lift = -s.breathe;
    c.Fill(Ellipse(cx, 122, 16, 4), Rgb(0, 0, 0, 0.3f), 2);
    // Legs and shoes.
    c.Fill(RoundRect(24, 96, 30, 118, 3), skin);
    c.Fill(RoundRect(34, 96, 40, 118, 3), skin);
    c.Fill(RoundRect(22, 114, 31, 121, 3), Rgb(60, 30, 30));
    c.Fill(RoundRect(33, 114, 42, 121, 3), Rgb(60, 30, 30));
    // Dress: a flared skirt and a bodice.
    const Shape skirt = Polygon({{cx - 9, 66 + lift}, {cx + 9, 66 + lift}, {cx + 19, 102}, {cx - 19, 102}});
    c.Fill(skirt, Linear(0, 66, Shade(h.dress, 0.2f), 0, 102, Shade(h.dress, -0.3f)));
    c.Fill(Rect(cx - 19, 98, cx + 19, 102), h.trim, 1.5f);
    c.Fill(RoundRect(cx - 10, 52 + lift, cx + 10, 72 + lift, 5), Linear(0, 52, Shade(h.dress, 0.25f), 0, 72, h.dress));
    c.Fill(Polygon({{cx - 5, 52 + lift}, {cx + 5, 52 + lift}, {cx, 60 + lift}}), h.trim);
    // Arms: the left hangs, the right moves with the stance.
    c.Fill(Capsule(cx - 10, 56 + lift, cx - 14, 76 + lift, 3), Shade(h.dress, 0.1f));
    c.Fill(Circle(cx - 14, 78 + lift, 3), skin);
    const float hx = cx + 10 + std::sin(s.armAngle) * 18;
    const float hy = 56 + lift + std::cos(s.armAngle) * 18;
    c.Fill(Capsule(cx + 10, 56 + lift, hx, hy, 3), Shade(h.dress, 0.1f));
    c.Fill(Circle(hx, hy, 3), skin);
    if (h.witchHat) {
        c.Fill(Capsule(hx, hy, hx + std::sin(s.armAngle) * 12, hy + std::cos(s.armAngle) * 12, 1.3f), Rgb(120, 80, 40));
        c.Glow(Circle(hx + std::sin(s.armAngle) * 13, hy + std::cos(s.armAngle) * 13, 2),
               WithAlpha(Rgb(160, 220, 255), 0.9f), 6);
    } else {
        const float tx = hx + std::sin(s.armAngle) * 10;
        const float ty = hy + std::cos(s.armAngle) * 10;
        c.Fill(Capsule(hx, hy, tx, ty, 1.2f), Rgb(140, 100, 60));
        c.Fill(Polygon({{tx, ty}, {tx + 5, ty + 3}, {tx + 1, ty + 8}}), Rgb(255, 255, 255));
        c.Fill(Polygon({{tx, ty}, {tx - 5, ty + 3}, {tx - 1, ty + 8}}), Rgb(255, 250, 230));
    }
    // Head.
    const float hcx = cx + s.lean;
    const float hcy = 36 + lift;
    c.Fill(Circle(hcx, hcy, 17), h.hair);
    c.Fill(RoundRect(hcx - 17, hcy, hcx + 17, hcy + 22, 8), Shade(h.hair, -0.1f));
    c.Fill(Ellipse(hcx, hcy + 3, 13, 13), skin);
    c.Fill(Polygon({{hcx - 15, hcy - 2},
                    {hcx - 6, hcy - 13},
                    {hcx + 2, hcy - 4},
                    {hcx + 8, hcy - 13},
                    {hcx + 15, hcy - 2},
                    {hcx + 16, hcy - 16},
                    {hcx - 16, hcy - 16}}),
           Shade(h.hair, 0.1f));
    Eye(c, hcx - 6, hcy + 4, s.face, h.eyes);
    Eye(c, hcx + 6, hcy + 4, s.face, h.eyes);
    c.Fill(Ellipse(hcx - 10, hcy + 9, 2.5f, 1.5f), Rgb(255, 150, 160, 0.6f));
    c.Fill(Ellipse(hcx + 10, hcy + 9, 2.5f, 1.5f), Rgb(255, 150, 160, 0.6f));
    if (s.face == Face::Hurt) {
        c.Fill(Outline(Ellipse(hcx, hcy + 12, 2.5f, 1.8f), 1.2f), Rgb(80, 20, 30));
    } else if (s.face == Face::Happy) {
        c.Fill(Intersect(Ellipse(hcx, hcy + 10, 4, 3.5f), Rect(hcx - 5, hcy + 10, hcx + 5, hcy + 15)),
               Rgb(180, 40, 60));
    } else {
        c.Fill(Capsule(hcx - 1.8f, hcy + 11.5f, hcx + 1.8f, hcy + 11.5f, 0.7f), Rgb(150, 60, 70));
    }
    if (h.witchHat) {
        c.Fill(Ellipse(hcx, hcy - 13, 24, 5), Rgb(40, 30, 80));
        c.Fill(Polygon({{hcx - 12, hcy - 14},
                        {hcx + 12, hcy - 14},
                        {hcx + 9, hcy - 28},
                        {hcx + 18, hcy - 33},
                        {hcx + 3, hcy - 32}}),
               Linear(hcx - 12, 0, Rgb(70, 60, 140), hcx + 12, 0, Rgb(30, 24, 70)));
        c.Fill(Rect(hcx - 12, hcy - 19, hcx + 12, hcy - 15), h.trim);
    } else {
        for (const float side : {-1.0f, 1.0f}) {
            c.Fill(Polygon({{hcx, hcy - 15}, {hcx + side * 16, hcy - 26}, {hcx + side * 14, hcy - 9}}),
                   Rgb(220, 30, 40));
        }
        c.Fill(Circle(hcx, hcy - 15, 3), Rgb(255, 80, 80));
    }
    if (s.sweat) {
        c.Fill(Union(Circle(hcx + 16, hcy - 2, 2.5f),
                     Polygon({{hcx + 13.7f, hcy - 3}, {hcx + 18.3f, hcy - 3}, {hcx + 16, hcy - 9}})),
               Rgb(150, 210, 255));
    }
    if (s.sparkle) {
        c.Fill(Star(hcx - 20, hcy - 20, 5, 1.5f, 4, 0), Rgb(255, 250, 180));
    }
    return c;
}

Canvas PortraitSheet(const Heroine& h) {
    Canvas sheet(256, 512);
    const Stance rows[4][4] = {
        {{0, 0, 0.3f, Face::Open}, {1, 0, 0.3f, Face::Open}, {2, 0, 0.3f, Face::Open}, {1, 0, 0.3f, Face::Blink}},
        {{-2, -4, 0.1f, Face::Hurt, true},
         {-3, -5, 0.0f, Face::Hurt, true},
         {-2, -3, 0.1f, Face::Hurt, true},
         {-1, -1, 0.2f, Face::Blink}},
        {{0, 0, 2.4f, Face::Focus},
         {1, 1, 2.0f, Face::Focus},
         {0, 0, 1.5f, Face::Focus, false, true},
         {1, 1, 2.0f, Face::Focus}},
        {{2, 0, 2.8f, Face::Happy, false, true},
         {3, 0, 2.6f, Face::Happy},
         {2, 0, 2.8f, Face::Happy, false, true},
         {1, 0, 2.6f, Face::Happy}},
    };
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            // Two pixels of outline, so that it is still one when the battle halves the cell.
            Canvas cell = Figure(h, rows[row][col]);
            cell.AddOutline(Rgb(20, 10, 30, 0.9f), 2.0f);
            sheet.Draw(cell, static_cast<float>(col * 64), static_cast<float>(row * 128));
        }
    }
    return sheet;
}

}  // namespace

void PaintPortraitImages(ImageSet& set) {
    set.Add("ardel_animation.png",
            PortraitSheet({Rgb(50, 36, 40), Rgb(210, 40, 50), Rgb(255, 255, 255), Rgb(150, 40, 40), false}));
    set.Add("sovia_animation.png",
            PortraitSheet({Rgb(250, 220, 120), Rgb(50, 50, 110), Rgb(240, 240, 255), Rgb(60, 120, 200), true}));
}

}  // namespace assetgen
