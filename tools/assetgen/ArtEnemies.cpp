// Enemy sheets: 4 walking frames across, 8 facings down (north, then clockwise), 32 x 32 cells.
#include <cmath>
#include <functional>

#include "ArtKit.h"
#include "ImageSet.h"
#include "Noise.h"

namespace assetgen {

namespace {

using namespace kit;

constexpr float kPi = 3.14159265f;

struct Pose {
    float cx = 16;
    float cy = 16;
    float dx = 0;  // facing direction, unit length, y down
    float dy = -1;
    float phase = 0;  // walk cycle angle
    int frame = 0;
};

using CellPainter = std::function<void(Canvas&, const Pose&)>;

Canvas Sheet(const CellPainter& paint, Color rim = Rgb(16, 10, 24)) {
    Canvas sheet(128, 256);
    for (int facing = 0; facing < 8; ++facing) {
        for (int frame = 0; frame < 4; ++frame) {
            Canvas cell(32, 32);
            Pose pose;
            const float angle = static_cast<float>(facing) * kPi / 4.0f;
            pose.dx = std::sin(angle);
            pose.dy = -std::cos(angle);
            pose.phase = static_cast<float>(frame) * kPi / 2.0f;
            pose.frame = frame;
            paint(cell, pose);
            cell.AddOutline(WithAlpha(rim, 0.9f), 1.0f);
            cell.FitInside();
            sheet.Draw(cell, static_cast<float>(frame * 32), static_cast<float>(facing * 32));
        }
    }
    return sheet;
}

void GroundShadow(Canvas& c, float cx, float cy, float rx) {
    c.Fill(Ellipse(cx, cy, rx, rx * 0.4f), Rgb(0, 0, 0, 0.3f), 1.5f);
}

// The eyes of a round face looking along the facing; none when seen from behind.
void Eyes(Canvas& c, float hx, float hy, const Pose& p, float spread, float size, Color iris) {
    if (p.dy < -0.5f) {
        return;
    }
    const float ox = p.dx * spread * 0.8f;
    const float oy = p.dy * 1.2f;
    for (const float side : {-1.0f, 1.0f}) {
        // A profile shows only the eye on the near side.
        if (std::fabs(p.dx) > 0.9f && side * p.dx < 0) {
            continue;
        }
        const float ex = hx + ox + side * spread * (1.0f - std::fabs(p.dx) * 0.5f);
        const float ey = hy + oy + 0.5f;
        c.Fill(Ellipse(ex, ey, size * 0.75f, size), iris, 0.8f);
        c.Fill(Circle(ex - size * 0.2f, ey - size * 0.4f, size * 0.35f), Rgb(255, 255, 255), 0.8f);
    }
}

struct FairyLook {
    Color hair;
    Color dress;
    Color wing;
    Color eyes = Rgb(40, 30, 60);
    bool crystalWings = false;
    bool flying = false;
    int hat = 0;  // 0 none, 1 sunflower, 2 flower crown
};

void Wings(Canvas& c, const Pose& p, float bodyY, const FairyLook& look) {
    const float flap = 0.75f + 0.25f * std::sin(p.phase * (look.flying ? 2.0f : 1.0f));
    const float side = std::fabs(p.dy) > 0.3f ? 1.0f : 0.45f;  // profile: wings seen edge-on
    for (const float s : {-1.0f, 1.0f}) {
        const float bx = p.cx + s * 3.0f * side - p.dx * 2.0f;
        if (look.crystalWings) {
            const Shape w = Polygon({{bx, bodyY - 2},
                                     {bx + s * 11 * flap * side, bodyY - 9},
                                     {bx + s * 8 * flap * side, bodyY + 1},
                                     {bx + s * 10 * flap * side, bodyY + 5},
                                     {bx, bodyY + 2}});
            c.Fill(w, Linear(bx, bodyY - 9, Rgb(255, 255, 255, 0.95f), bx, bodyY + 5, WithAlpha(look.wing, 0.8f)));
        } else {
            const Shape upper = Ellipse(bx + s * 6 * flap * side, bodyY - 4, 6 * flap * side + 0.5f, 4);
            const Shape lower = Ellipse(bx + s * 5 * flap * side, bodyY + 2, 4.5f * flap * side + 0.5f, 3);
            c.Fill(upper, WithAlpha(look.wing, 0.6f));
            c.Fill(lower, WithAlpha(look.wing, 0.5f));
            c.Fill(Outline(upper, 0.8f), WithAlpha(Shade(look.wing, -0.35f), 0.8f), 0.8f);
        }
    }
}

void Hat(Canvas& c, float cx, float headY, int hat) {
    switch (hat) {
        case 1:
            c.Fill(Star(cx - 4, headY - 6, 4.5f, 2.5f, 8, 0.2f), Rgb(255, 210, 30));
            c.Fill(Circle(cx - 4, headY - 6, 2), Rgb(120, 70, 20));
            break;
        case 2:
            for (int i = 0; i < 5; ++i) {
                const float fx = cx - 5 + 2.5f * static_cast<float>(i);
                c.Fill(Circle(fx, headY - 6 + std::fabs(static_cast<float>(i) - 2.0f) * 0.8f, 1.5f),
                       i % 2 == 0 ? Rgb(255, 240, 120) : Rgb(255, 150, 190));
            }
            break;
        default:
            break;
    }
}

void Fairy(Canvas& c, const Pose& p, const FairyLook& look) {
    const float lift = look.flying ? -3.0f - std::sin(p.phase) : 0.0f;
    const float bob = look.flying ? 0.0f : -std::fabs(std::sin(p.phase)) * 1.2f;
    const float cx = p.cx;
    const float bodyY = p.cy + 3 + lift + bob;
    const float headY = p.cy - 5 + lift + bob;
    const Color skin = Rgb(255, 228, 210);
    GroundShadow(c, cx, p.cy + 12, look.flying ? 5 : 7);
    const bool back = p.dy < -0.3f;
    if (!back) {
        Wings(c, p, bodyY, look);
    }
    // Legs stepping, then the dress over them.
    if (!look.flying) {
        // Side views stride; front and back views lift each foot in turn.
        const float step = std::sin(p.phase) * 2.0f;
        const float lift = std::fabs(p.dx) > 0.3f ? 0.4f : 0.9f;
        c.Fill(Capsule(cx - 2 + p.dx * step, bodyY + 5, cx - 2 + p.dx * step, bodyY + 9 - std::max(0.0f, step) * lift,
                       1.2f),
               skin);
        c.Fill(Capsule(cx + 2 - p.dx * step, bodyY + 5, cx + 2 - p.dx * step, bodyY + 9 - std::max(0.0f, -step) * lift,
                       1.2f),
               skin);
    }
    const Shape dress =
        Polygon({{cx - 3, bodyY - 4}, {cx + 3, bodyY - 4}, {cx + 6.5f, bodyY + 6}, {cx - 6.5f, bodyY + 6}});
    c.Fill(dress, Linear(0, bodyY - 4, Shade(look.dress, 0.25f), 0, bodyY + 6, Shade(look.dress, -0.3f)));
    if (!back) {
        // A white apron and collar make the front read at a glance.
        c.Fill(Polygon({{cx - 1 + p.dx * 2, bodyY},
                        {cx + 1 + p.dx * 2, bodyY},
                        {cx + 2 + p.dx * 2, bodyY + 4.5f},
                        {cx - 2 + p.dx * 2, bodyY + 4.5f}}),
               Rgb(255, 255, 255, 0.85f), 0.8f);
        c.Fill(Ellipse(cx + p.dx * 1.5f, bodyY - 3.5f, 2.5f, 1.2f), Rgb(255, 255, 255, 0.95f), 0.8f);
    }
    c.Fill(Rect(cx - 6.5f, bodyY + 4.8f, cx + 6.5f, bodyY + 6), Rgb(255, 255, 255, 0.85f), 0.8f);
    if (back) {
        Wings(c, p, bodyY, look);
    }
    const float swing = std::sin(p.phase) * 1.5f;
    c.Fill(Capsule(cx - 4, bodyY - 2, cx - 6, bodyY + 2 + swing, 1.1f), skin);
    c.Fill(Capsule(cx + 4, bodyY - 2, cx + 6, bodyY + 2 - swing, 1.1f), skin);
    // Head: hair behind, face, then fringe and a shine on the hair.
    const Color hairDark = Shade(look.hair, -0.3f);
    c.Fill(Circle(cx - p.dx * 0.8f, headY, 7.2f), Radial(cx - 2, headY - 3, 10, Shade(look.hair, 0.15f), hairDark));
    c.Fill(Capsule(cx - 5.5f, headY, cx - 5.5f - p.dx, headY + 6, 2), hairDark);
    c.Fill(Capsule(cx + 5.5f, headY, cx + 5.5f - p.dx, headY + 6, 2), hairDark);
    if (!back) {
        c.Fill(Ellipse(cx + p.dx * 1.5f, headY + 1.2f, 5.4f - std::fabs(p.dx), 5.0f), skin);
        c.Fill(Ellipse(cx + p.dx * 0.5f, headY - 3.2f, 6.4f, 3.2f), look.hair);
        Eyes(c, cx + p.dx * 1.5f, headY + 1.0f, p, 2.2f, 1.5f, look.eyes);
        c.Fill(Ellipse(cx + p.dx * 1.5f - 3.5f, headY + 3.5f, 1.2f, 0.7f), Rgb(255, 120, 130, 0.5f), 0.8f);
        c.Fill(Ellipse(cx + p.dx * 1.5f + 3.5f, headY + 3.5f, 1.2f, 0.7f), Rgb(255, 120, 130, 0.5f), 0.8f);
    }
    c.Fill(Intersect(Outline(Circle(cx - 1, headY - 1, 5), 1.2f), Rect(cx - 6, headY - 7, cx + 1, headY - 3)),
           Rgb(255, 255, 255, 0.5f), 0.8f);
    Hat(c, cx, headY, look.hat);
}

void Furball(Canvas& c, const Pose& p, float radius, Color fur, unsigned seed, bool horns) {
    const float hop = std::fabs(std::sin(p.phase));
    const float squash = 1.0f + 0.12f * (1.0f - hop) - 0.06f;
    const float cx = p.cx;
    const float cy = p.cy + 2 - hop * 3.0f + (1.0f - squash) * radius;
    GroundShadow(c, cx, p.cy + radius * 0.75f + 2, radius * (0.9f - hop * 0.15f));
    std::vector<Point> rim;
    for (int i = 0; i < 24; ++i) {
        const float a = static_cast<float>(i) * 2.0f * kPi / 24.0f;
        const float tuft = (i % 2 == 0 ? 1.0f : 0.82f) +
                           (ValueNoise(static_cast<float>(i), static_cast<float>(p.frame), seed) - 0.5f) * 0.15f;
        rim.push_back({cx + std::cos(a) * radius * tuft * squash, cy + std::sin(a) * radius * tuft / squash});
    }
    const Shape body = Polygon(rim);
    c.Fill(body, Radial(cx - radius * 0.3f, cy - radius * 0.4f, radius * 1.5f, Shade(fur, 0.45f), Shade(fur, -0.3f)));
    if (horns) {
        for (const float s : {-1.0f, 1.0f}) {
            c.Fill(Polygon({{cx + s * radius * 0.35f, cy - radius * 0.75f},
                            {cx + s * radius * 0.75f, cy - radius * 1.08f},
                            {cx + s * radius * 0.65f, cy - radius * 0.55f}}),
                   Rgb(250, 240, 220));
        }
    }
    Eyes(c, cx, cy, p, radius * 0.34f, radius * 0.2f, Rgb(30, 20, 40));
    if (p.dy >= -0.5f) {
        c.Fill(Ellipse(cx + p.dx * radius * 0.4f, cy + radius * 0.3f + p.dy, radius * 0.12f, radius * 0.08f),
               Rgb(200, 60, 80));
    }
}

void EvilEye(Canvas& c, const Pose& p) {
    const float bob = std::sin(p.phase) * 1.2f;
    const float cx = p.cx;
    const float cy = p.cy - 1 + bob;
    GroundShadow(c, cx, p.cy + 12, 7);
    const float flap = 0.7f + 0.3f * std::sin(p.phase * 2.0f);
    for (const float s : {-1.0f, 1.0f}) {
        const Shape wing = Polygon({{cx + s * 6, cy - 2},
                                    {cx + s * 15, cy - 8 * flap},
                                    {cx + s * 13, cy + 1},
                                    {cx + s * 10, cy - 1},
                                    {cx + s * 8, cy + 4}});
        c.Fill(wing, Rgb(70, 20, 60));
    }
    c.Fill(Circle(cx, cy, 9.5f), Radial(cx - 3, cy - 3, 13, Rgb(170, 120, 200), Rgb(50, 20, 70)));
    // Armour bands.
    c.Fill(Outline(Ellipse(cx, cy, 9.5f, 3.5f), 1.6f), Rgb(200, 190, 210));
    c.Fill(Outline(Ellipse(cx, cy, 3.5f, 9.5f), 1.6f), Rgb(200, 190, 210));
    if (p.dy > -0.5f) {
        const float ex = cx + p.dx * 3.5f;
        const float ey = cy + p.dy * 2.5f;
        c.Fill(Ellipse(ex, ey, 5.5f - std::fabs(p.dx) * 1.5f, 5), Rgb(255, 250, 240));
        c.Fill(Circle(ex + p.dx * 1.5f, ey + p.dy, 2.8f), Rgb(220, 30, 40));
        c.Fill(Ellipse(ex + p.dx * 1.5f, ey + p.dy, 0.9f, 2.2f), Rgb(10, 0, 10));
        c.Fill(Circle(ex - 1.5f, ey - 2, 1), kWhite);
    } else {
        c.Fill(Star(cx, cy, 4, 2, 4, 0), Rgb(220, 200, 230));
    }
}

void Crow(Canvas& c, const Pose& p) {
    const float angle = std::atan2(p.dy, p.dx);
    const float flap = std::sin(p.phase);
    Canvas bird(32, 32);
    // Drawn facing right (east), then turned to the facing.
    const float span = 11.0f + 3.0f * flap;
    const Color feather = Rgb(30, 30, 44);
    for (const float s : {-1.0f, 1.0f}) {
        const Shape wing = SmoothBlob({{18, 16},
                                       {15, 16 + s * span * 0.55f},
                                       {11, 16 + s * span},
                                       {8, 16 + s * (span - 1.5f)},
                                       {9, 16 + s * (span - 4)},
                                       {6.5f, 16 + s * (span - 5)},
                                       {8.5f, 16 + s * (span - 8)},
                                       {10, 16 + s * 3},
                                       {12, 16}},
                                      3);
        bird.Fill(wing, Linear(12, 16, Rgb(60, 60, 90), 8, 16 + s * span, feather));
    }
    bird.Fill(Polygon({{8, 16}, {3, 12}, {2, 20}}), feather);
    bird.Fill(Ellipse(14, 16, 7, 4), Linear(8, 13, Rgb(70, 70, 110), 8, 20, feather));
    bird.Fill(Circle(21, 16, 3.5f), Rgb(40, 40, 60));
    bird.Fill(Polygon({{23.5f, 14.8f}, {28, 16}, {23.5f, 17.2f}}), Rgb(240, 190, 60));
    bird.Fill(Circle(22, 14.4f, 0.9f), Rgb(255, 60, 40));
    bird.Fill(Circle(22, 17.6f, 0.9f), Rgb(255, 60, 40));
    Canvas turned(32, 32);
    turned.FillAll([&](float x, float y) {
        const float ca = std::cos(-angle);
        const float sa = std::sin(-angle);
        const float ux = x - 16;
        const float uy = y - 16 - std::fabs(flap) * 1.0f;
        return bird.Sample(16 + ux * ca - uy * sa, 16 + ux * sa + uy * ca);
    });
    c.Fill(Ellipse(p.cx + 2, p.cy + 11, 7, 2.5f), Rgb(0, 0, 0, 0.25f), 1.5f);
    c.Draw(turned, 0, 0);
}

void Ghost(Canvas& c, const Pose& p, Color body, Color glow, float opacity) {
    const float bob = std::sin(p.phase) * 1.5f;
    const float cx = p.cx;
    const float cy = p.cy - 2 + bob;
    // The tail streams away from the facing and waves.
    const float wave = std::sin(p.phase + 1.0f) * 2.5f;
    const float nx = -p.dy;
    const float ny = p.dx;
    const float tx = cx - p.dx * 12 + nx * wave;
    const float ty = cy + 6 - p.dy * 8 + ny * wave;
    const Shape blob =
        Union(Circle(cx, cy, 8),
              Polygon({{cx - 7 * nx - 2 * p.dx, cy - 7 * ny + 2}, {cx + 7 * nx, cy + 7 * ny + 2}, {tx, ty}}));
    // Little arms held out at the sides, waving as it drifts.
    const float wave2 = std::sin(p.phase) * 1.5f;
    const Shape arms =
        Union(Ellipse(cx - 8.5f, cy + 2 + wave2, 2.6f, 1.8f), Ellipse(cx + 8.5f, cy + 2 - wave2, 2.6f, 1.8f));
    c.Glow(Union(blob, arms), WithAlpha(glow, 0.6f * opacity), 4);
    c.Fill(arms, WithAlpha(body, opacity * 0.85f));
    c.Fill(blob, Radial(cx - 3, cy - 4, 16, WithAlpha(Shade(body, 0.6f), opacity), WithAlpha(body, opacity * 0.85f)));
    if (p.dy > -0.5f) {
        Eyes(c, cx + p.dx * 2, cy, p, 2.6f, 1.6f, Rgb(20, 20, 60));
        c.Fill(Ellipse(cx + p.dx * 3, cy + 4 + p.dy, 1.5f, 1.1f), Rgb(40, 20, 60, 0.8f));
    }
    c.Fill(Polygon({{cx - 3, cy - 7.5f}, {cx + 3, cy - 7.5f}, {cx, cy - 4.5f}}), WithAlpha(kWhite, opacity));
}

// The darkness: a hooded shade that drifts on a tail of smoke, eyes glowing under the hood.
void Darkness(Canvas& c, const Pose& p) {
    const float drift = std::sin(p.phase) * 1.2f;
    const float cx = p.cx;
    const float cy = p.cy - 1 + drift;
    c.Glow(Circle(cx, cy + 2, 7), Rgb(60, 0, 90, 0.6f), 7);
    GroundShadow(c, cx, p.cy + 12, 6);
    // Ragged hem: three points that sway with the walk.
    const float sway = std::sin(p.phase + 0.8f) * 2.0f;
    const Shape cloak = SmoothBlob({{cx, cy - 11},
                                    {cx + 6, cy - 6},
                                    {cx + 8, cy + 4},
                                    {cx + 7 + sway, cy + 11},
                                    {cx + 3, cy + 8},
                                    {cx + sway * 0.5f, cy + 12},
                                    {cx - 3, cy + 8},
                                    {cx - 7 + sway, cy + 11},
                                    {cx - 8, cy + 4},
                                    {cx - 6, cy - 6}},
                                   4);
    c.Fill(cloak, Linear(0, cy - 11, Rgb(70, 40, 100), 0, cy + 12, Rgb(14, 6, 24)));
    c.Fill(Intersect(Outline(Circle(cx, cy - 3, 7.5f), 1.2f), Rect(cx - 8, cy - 11, cx + 8, cy - 4)),
           Rgb(150, 110, 200, 0.7f), 0.8f);
    if (p.dy > -0.5f) {
        // The hood's opening follows the facing; the eyes glow inside it.
        const float fx = cx + p.dx * 2.5f;
        const float fy = cy - 3 + p.dy * 1.0f;
        c.Fill(Ellipse(fx, fy, 4.5f - std::fabs(p.dx) * 1.5f, 3.8f), Rgb(0, 0, 0));
        for (const float side : {-1.0f, 1.0f}) {
            if (std::fabs(p.dx) > 0.9f && side * p.dx < 0) {
                continue;
            }
            const float ex = fx + side * 1.8f * (1.0f - std::fabs(p.dx) * 0.5f) + p.dx;
            c.Glow(Circle(ex, fy, 0.6f), Rgb(255, 220, 60, 0.9f), 2.5f);
            c.Fill(Ellipse(ex, fy, 0.9f, 1.3f), Rgb(255, 250, 180), 0.7f);
        }
    }
}

}  // namespace

void PaintEnemyImages(ImageSet& set) {
    auto fairy = [&](const char* name, FairyLook look) {
        set.Add(name, Sheet([look](Canvas& c, const Pose& p) { Fairy(c, p, look); }));
    };
    fairy("enemy_f_red.png", {Rgb(235, 70, 50), Rgb(150, 20, 50), Rgb(255, 200, 200)});
    fairy("enemy_f_blue.png", {Rgb(70, 130, 240), Rgb(30, 50, 150), Rgb(200, 225, 255)});
    fairy("enemy_f_green.png", {Rgb(90, 200, 80), Rgb(30, 110, 60), Rgb(210, 255, 200)});
    FairyLook sunflower{Rgb(250, 210, 50), Rgb(200, 110, 20), Rgb(255, 250, 200)};
    sunflower.hat = 1;
    fairy("enemy_f_yellow.png", sunflower);
    set.Add("enemy_wool.png",
            Sheet([](Canvas& c, const Pose& p) { Furball(c, p, 9.0f, Rgb(240, 232, 210), 3, false); }));
    set.Add("enemy_bigwool.png",
            Sheet([](Canvas& c, const Pose& p) { Furball(c, p, 11.5f, Rgb(200, 160, 235), 4, true); }));
    set.Add("enemy_evil.png", Sheet(EvilEye));
    FairyLook spring{Rgb(255, 140, 190), Rgb(120, 200, 100), Rgb(255, 230, 250)};
    spring.flying = true;
    spring.hat = 2;
    fairy("enemy_vernie.png", spring);
    set.Add("enemy_crow.png", Sheet(Crow));
    set.Add("enemy_spirit.png",
            Sheet([](Canvas& c, const Pose& p) { Ghost(c, p, Rgb(210, 230, 255), Rgb(160, 200, 255), 0.78f); },
                  Rgb(60, 80, 140)));
    set.Add("enemy_spirit2.png",
            Sheet([](Canvas& c, const Pose& p) { Ghost(c, p, Rgb(255, 140, 200), Rgb(255, 60, 120), 1.0f); },
                  Rgb(120, 10, 50)));
    FairyLook ice{Rgb(200, 240, 255), Rgb(90, 170, 240), Rgb(180, 240, 255)};
    ice.crystalWings = true;
    ice.eyes = Rgb(30, 80, 160);
    fairy("enemy_frelle.png", ice);
    set.Add("enemy_noctra.png", Sheet(Darkness, Rgb(30, 0, 40)));

    Canvas mark(16, 16);
    mark.Fill(Circle(8, 8, 7.5f), Rgb(255, 230, 90));
    mark.Fill(Outline(Circle(8, 8, 7.5f), 1), Rgb(120, 60, 0));
    DrawText(mark, "?", 8, 8, Align::Centre,
             Caption(Font::LatinBold, 12, Rgb(120, 40, 0), Rgb(80, 20, 0), 8, Rgb(255, 250, 200)));
    set.Add("hatena.png", mark);

    Canvas shadow(256, 256);
    shadow.Fill(Circle(128, 128, 127),
                Radial(128, 128, 127, {{0, Rgb(0, 0, 0, 1)}, {0.55f, Rgb(0, 0, 0, 0.9f)}, {1, Rgb(0, 0, 0, 0)}}));
    set.Add("noctra_dark.png", shadow);
}

}  // namespace assetgen
