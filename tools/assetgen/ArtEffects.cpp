// Bullets, bursts, glows, beams and other light effects. Drawn as light shapes with a meaningful
// alpha channel so they read under both the additive presets; directional shapes point to the top
// of their cell and are left-right symmetric.
#include <cmath>
#include <functional>

#include "ArtKit.h"
#include "ImageSet.h"
#include "Noise.h"

namespace assetgen {

namespace {

using namespace kit;

constexpr float kPi = 3.14159265f;

// One 16 x 16 cell painter: (canvas, centre x, centre y, level 0..5).
using BulletPainter = std::function<void(Canvas&, float, float, int)>;

float Grow(int level) { return 1.0f + 0.06f * static_cast<float>(level); }

void Orb(Canvas& c, float x, float y, float r, Color core, Color edge) {
    c.Glow(Circle(x, y, r * 0.5f), WithAlpha(edge, 0.7f), r * 0.9f);
    c.Fill(Circle(x, y, r * 0.6f), Radial(x, y, r * 0.6f, core, edge));
}

Color LevelTint(Color base, int level) { return Shade(base, 0.08f * static_cast<float>(level)); }

// The shared bullet sheet: 8 columns x 16 rows of 16 x 16 cells; a row is one kind of shot and
// columns 0..5 its levels. Rows 2 and 4 keep the seal shots in column 0.
Canvas BulletSheet() {
    Canvas sheet(128, 256);
    const std::vector<BulletPainter> rows = {
        [](Canvas& c, float x, float y, int l) {
            Orb(c, x, y, 6.5f * Grow(l), kWhite, LevelTint(Rgb(255, 90, 90), l));
        },
        [](Canvas& c, float x, float y, int l) {  // amulet
            c.Glow(RoundRect(x - 3, y - 5, x + 3, y + 5, 1), WithAlpha(LevelTint(Rgb(255, 120, 140), l), 0.6f), 2);
            c.Fill(RoundRect(x - 3, y - 5, x + 3, y + 5, 1), Rgb(255, 250, 240));
            c.Fill(Rect(x - 1, y - 3, x + 1, y + 3), Rgb(220, 40, 60));
        },
        [](Canvas& c, float x, float y, int l) {
            Orb(c, x, y, 7.0f * Grow(l), kWhite, LevelTint(Rgb(255, 60, 160), l));
        },
        [](Canvas& c, float x, float y, int l) {  // needle, pointing up
            c.Glow(Polygon({{x, y - 7}, {x + 1.5f, y + 6}, {x - 1.5f, y + 6}}),
                   WithAlpha(LevelTint(Rgb(160, 220, 255), l), 0.6f), 2);
            c.Fill(Polygon({{x, y - 7}, {x + 1.2f, y + 6}, {x - 1.2f, y + 6}}), kWhite);
        },
        [](Canvas& c, float x, float y, int l) {
            Orb(c, x, y, 5.5f * Grow(l), kWhite, LevelTint(Rgb(255, 120, 60), l));
        },
        [](Canvas& c, float x, float y, int l) {  // wind blade
            const Shape blade = Subtract(Circle(x, y + 3, 6), Circle(x, y + 6, 6));
            c.Glow(blade, WithAlpha(LevelTint(Rgb(120, 255, 200), l), 0.7f), 2);
            c.Fill(blade, Rgb(230, 255, 245));
        },
        [](Canvas& c, float x, float y, int l) {  // brask amulet
            c.Glow(RoundRect(x - 3.5f, y - 5.5f, x + 3.5f, y + 5.5f, 1), WithAlpha(Rgb(255, 60, 60), 0.8f), 2.5f);
            c.Fill(RoundRect(x - 3.5f, y - 5.5f, x + 3.5f, y + 5.5f, 1), LevelTint(Rgb(255, 90, 80), l));
            c.Fill(Circle(x, y, 1.6f), Rgb(255, 240, 160));
        },
        [](Canvas& c, float x, float y, int l) {  // sunburst seal
            c.Glow(Circle(x, y, 3), WithAlpha(Rgb(255, 200, 60), 0.8f), 4);
            c.Fill(Star(x, y, 6.5f, 3.5f, 8, static_cast<float>(l) * 0.2f), Rgb(255, 230, 140));
            c.Fill(Circle(x, y, 2.5f), kWhite);
        },
        [](Canvas& c, float x, float y, int l) {
            Orb(c, x, y, 6.0f * Grow(l), kWhite, LevelTint(Rgb(110, 160, 255), l));
        },
        [](Canvas& c, float x, float y, int l) {  // star dust missile, nose up
            c.Glow(Capsule(x, y - 4, x, y + 4, 2), WithAlpha(LevelTint(Rgb(255, 200, 100), l), 0.7f), 3);
            c.Fill(Polygon({{x, y - 7}, {x + 2.5f, y - 2}, {x + 2.5f, y + 5}, {x - 2.5f, y + 5}, {x - 2.5f, y - 2}}),
                   Rgb(255, 250, 230));
            c.Fill(Polygon({{x - 2, y + 5}, {x + 2, y + 5}, {x, y + 8}}), Rgb(255, 160, 60));
        },
        [](Canvas& c, float x, float y, int l) {  // star
            c.Glow(Star(x, y, 6.5f, 2.8f, 5, -kPi / 2), WithAlpha(LevelTint(Rgb(120, 255, 120), l), 0.7f), 2);
            c.Fill(Star(x, y, 6.5f, 2.8f, 5, -kPi / 2), Rgb(240, 255, 220));
        },
        [](Canvas& c, float x, float y, int l) {  // frost cloud
            for (int i = 0; i < 5; ++i) {
                const float a = static_cast<float>(i) * 2.0f * kPi / 5.0f;
                c.Fill(Circle(x + std::cos(a) * 3.5f, y + std::sin(a) * 3.5f, 3.2f),
                       Rgb(210, 240, 255, 0.55f + 0.05f * static_cast<float>(l)), 1.5f);
            }
            c.Fill(Circle(x, y, 3), Rgb(255, 255, 255, 0.8f), 1.5f);
        },
        [](Canvas& c, float x, float y, int l) {  // nebula: seven colours across
            const Color colours[7] = {Rgb(255, 90, 90),  Rgb(255, 170, 60),  Rgb(255, 240, 80), Rgb(100, 255, 120),
                                      Rgb(80, 220, 255), Rgb(110, 120, 255), Rgb(230, 110, 255)};
            Orb(c, x, y, 6.0f, kWhite, colours[l]);
        },
        [](Canvas& c, float x, float y, int l) {  // planetar bit, one per level
            const Color core = Mix(Rgb(150, 200, 255), Rgb(255, 220, 120), static_cast<float>(l) / 5.0f);
            c.Glow(Circle(x, y, 3), WithAlpha(core, 0.8f), 3);
            c.Fill(RegularPolygon(x, y, 5, 4 + l % 3, kPi / 4), Radial(x - 1, y - 1, 6, kWhite, core));
        },
        [](Canvas& c, float x, float y, int l) {
            Orb(c, x, y, 4.0f + static_cast<float>(l) * 0.6f, kWhite, Rgb(200, 220, 255));
        },
        [](Canvas& c, float x, float y, int l) {
            c.Fill(Star(x, y, 6.0f + static_cast<float>(l) * 0.3f, 1.2f, 4, 0), kWhite);
            c.Glow(Circle(x, y, 1.2f), WithAlpha(Rgb(255, 255, 200), 0.8f), 3);
        },
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const int columns = row == 12 ? 7 : 6;
        for (int col = 0; col < columns; ++col) {
            const float x = 16.0f * static_cast<float>(col) + 8.0f;
            const float y = 16.0f * static_cast<float>(row) + 8.0f;
            Canvas cell(16, 16);
            rows[row](cell, 8, 8, col);
            cell.FitInside();
            sheet.Draw(cell, x - 8, y - 8);
        }
    }
    // The seal shots in column 0 of rows 2 (strong) and 4 (plain).
    Canvas strong(16, 16);
    strong.Glow(Circle(8, 8, 3), WithAlpha(Rgb(255, 80, 200), 0.9f), 4);
    strong.Fill(Outline(Circle(8, 8, 5), 1.4f), Rgb(255, 200, 240));
    strong.Fill(Circle(8, 8, 2.5f), kWhite);
    Canvas plain(16, 16);
    plain.Glow(Circle(8, 8, 2.5f), WithAlpha(Rgb(255, 100, 100), 0.9f), 3.5f);
    plain.Fill(Outline(Circle(8, 8, 4.5f), 1.2f), Rgb(255, 220, 220));
    plain.Fill(Circle(8, 8, 2), kWhite);
    strong.FitInside();
    plain.FitInside();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            sheet.Set(x, 32 + y, strong.Get(x, y));
            sheet.Set(x, 64 + y, plain.Get(x, y));
        }
    }
    return sheet;
}

Canvas Ring(float thickness, Color color) {
    Canvas c(128, 128);
    c.FillAll([=](float x, float y) {
        const float d = std::sqrt((x - 64) * (x - 64) + (y - 64) * (y - 64));
        const float t = std::fabs(d - (62 - thickness)) / thickness;
        return WithAlpha(color, Clamp01(1.0f - t * t));
    });
    return c;
}

Canvas Flare() {
    Canvas c(128, 128);
    c.FillAll([](float x, float y) {
        const float dx = x - 64;
        const float dy = y - 64;
        const float d = std::sqrt(dx * dx + dy * dy) / 64.0f;
        const float a = std::atan2(dy, dx);
        const float rays = std::pow(std::fabs(std::cos(a * 4.0f)), 12.0f) * 0.6f +
                           std::pow(std::fabs(std::cos(a * 4.0f + 0.39f)), 16.0f) * 0.3f;
        const float core = std::exp(-d * d * 18.0f);
        const float glow = std::exp(-d * 4.0f) * 0.5f;
        const float alpha = Clamp01(core + glow + rays * Clamp01(1.0f - d));
        return Mix(Rgb(255, 200, 120, alpha), Rgb(255, 255, 255, alpha), Clamp01(core * 1.5f));
    });
    return c;
}

Canvas LightBall(bool reverse) {
    Canvas c(64, 64);
    c.FillAll([reverse](float x, float y) {
        const float d = std::sqrt((x - 32) * (x - 32) + (y - 32) * (y - 32)) / 31.0f;
        float a = reverse ? Clamp01(d * d * 1.2f) * Clamp01((1.0f - d) * 8.0f)
                          : std::exp(-d * d * 5.0f) * Clamp01((1.0f - d) * 6.0f);
        return Mix(Rgb(150, 200, 255, a), Rgb(255, 255, 255, a), reverse ? d : 1.0f - d);
    });
    return c;
}

Canvas Wave(bool strip) {
    if (strip) {
        Canvas c(128, 64);
        c.FillAll([](float x, float y) {
            const float across = std::exp(-std::pow((y - 32) / 10.0f, 2.0f));
            const float ripple = 0.6f + 0.4f * std::sin(x / 128.0f * 2.0f * kPi * 3.0f);
            return Rgb(200, 230, 255, Clamp01(across * ripple));
        });
        return c;
    }
    Canvas c = Ring(14, Rgb(210, 235, 255));
    c.Tint(Radial(64, 64, 64, Rgb(255, 255, 255), Rgb(150, 200, 255)), 0.8f);
    return c;
}

Canvas Wind() {
    Canvas c(128, 128);
    for (int i = 0; i < 3; ++i) {
        const float a0 = static_cast<float>(i) * 2.0f * kPi / 3.0f;
        for (int k = 0; k < 40; ++k) {
            const float t = static_cast<float>(k) / 40.0f;
            const float a = a0 + t * 2.2f;
            const float r = 14.0f + t * 44.0f;
            c.Fill(Circle(64 + std::cos(a) * r, 64 + std::sin(a) * r, 4.5f * (1.0f - t) + 1.0f),
                   Rgb(220, 255, 240, 0.35f * (1.0f - t) + 0.1f), 2);
        }
    }
    c.Blur(1.5f);
    return c;
}

Canvas Smoke() {
    Canvas c(64, 64);
    c.FillAll([](float x, float y) {
        const float d = std::sqrt((x - 32) * (x - 32) + (y - 32) * (y - 32)) / 30.0f;
        const float n = Fractal(x / 12.0f, y / 12.0f, 201, 4);
        const float a = Clamp01((1.0f - d) * 1.6f) * (0.35f + 0.65f * n);
        return Rgb(200, 200, 215, a * 0.85f);
    });
    return c;
}

// Sixteen frames of an explosion, 64 x 64 each, 8 across and 2 down.
Canvas Explosion() {
    Canvas c(512, 128);
    for (int f = 0; f < 16; ++f) {
        const float t = static_cast<float>(f) / 15.0f;
        const float cx = 64.0f * static_cast<float>(f % 8) + 32.0f;
        const float cy = 64.0f * static_cast<float>(f / 8) + 32.0f;
        const float radius = 14.0f + 17.0f * std::sqrt(t);
        Canvas cell(64, 64);
        cell.FillAll([&](float x, float y) {
            const float d = std::sqrt((x - 32) * (x - 32) + (y - 32) * (y - 32)) / radius;
            const float n = Fractal(x / 9.0f, y / 9.0f, 300 + static_cast<unsigned>(f) / 4, 3);
            const float body = Clamp01((1.0f - d) * 3.0f + (n - 0.5f) * 1.2f);
            const float heat = Clamp01(1.0f - t * 1.3f - d * 0.5f + (n - 0.5f) * 0.4f);
            const Color fire = SampleStops(
                {{0, Rgb(90, 80, 90)}, {0.35f, Rgb(220, 60, 20)}, {0.7f, Rgb(255, 180, 40)}, {1, Rgb(255, 255, 220)}},
                heat);
            return WithAlpha(fire, body * Clamp01(1.2f - t));
        });
        c.Draw(cell, cx - 32, cy - 32);
    }
    return c;
}

// A beam strip: u across the beam, v along it.
Canvas Beam(Color edge, bool runes) {
    Canvas c(64, 256);
    c.FillAll([=](float x, float y) {
        const float across = std::fabs(x - 32.0f) / 32.0f;
        const float core = std::exp(-across * across * 30.0f);
        const float body =
            std::exp(-across * across * 5.0f) * (0.85f + 0.15f * std::sin(y / 256.0f * 2.0f * kPi * 4.0f));
        return Mix(WithAlpha(edge, Clamp01(body)), Rgb(255, 255, 255, Clamp01(body)), core);
    });
    if (runes) {
        for (int i = 0; i < 8; ++i) {
            const float y = 16.0f + 32.0f * static_cast<float>(i);
            c.Fill(Outline(RegularPolygon(32, y, 7, 3 + i % 3, static_cast<float>(i)), 1.2f), Rgb(255, 255, 255, 0.8f));
        }
    }
    return c;
}

Canvas MagicCircle() {
    Canvas c(256, 256);
    const Color line = Rgb(200, 230, 255, 0.9f);
    c.Glow(Outline(Circle(128, 128, 118), 3), Rgb(120, 180, 255, 0.5f), 6);
    c.Fill(Outline(Circle(128, 128, 118), 3), line);
    c.Fill(Outline(Circle(128, 128, 104), 1.5f), line);
    c.Fill(Outline(Circle(128, 128, 60), 2), line);
    c.Fill(Outline(Star(128, 128, 104, 40, 6, -kPi / 2), 1.8f), line);
    c.Fill(Outline(RegularPolygon(128, 128, 60, 6, 0), 1.4f), line);
    for (int i = 0; i < 24; ++i) {
        const float a = static_cast<float>(i) * 2.0f * kPi / 24.0f;
        c.Fill(Rotated(Rect(126, 12, 130, 20), 128, 128, a), line);
    }
    return c;
}

Canvas SoftDot(int side) {
    Canvas c(side, side);
    const float h = static_cast<float>(side) * 0.5f;
    c.FillAll([h](float x, float y) {
        const float d = std::sqrt((x - h) * (x - h) + (y - h) * (y - h)) / h;
        return Rgb(255, 255, 255, Clamp01(std::exp(-d * d * 4.0f) * Clamp01((1.0f - d) * 4.0f)));
    });
    return c;
}

Canvas Trail() {
    Canvas c(32, 128);
    c.FillAll([](float x, float y) {
        const float across = std::fabs(x - 16.0f) / 16.0f;
        return Rgb(255, 255, 255, Clamp01((1.0f - across * across) * (0.4f + 0.6f * (1.0f - y / 128.0f))));
    });
    return c;
}

Canvas Pebble() {
    Canvas c(32, 32);
    Orb(c, 16, 16, 10, kWhite, Rgb(255, 180, 120));
    return c;
}

}  // namespace

void PaintEffectImages(ImageSet& set) {
    set.Add("bullet.png", BulletSheet());
    set.Add("ef_circle.png", Ring(6, Rgb(255, 255, 255)));
    set.Add("circle_wb.png", Ring(20, Rgb(255, 255, 255)));
    set.Add("flare.png", Flare());
    set.Add("light_ball.png", LightBall(false));
    set.Add("light_ball_reverse.png", LightBall(true));
    set.Add("light_wave.png", Wave(false));
    set.Add("light_wave2.png", Wave(true));
    set.Add("light_pebble.png", Pebble());
    set.Add("wind.png", Wind());
    set.Add("smoke.png", Smoke());
    set.Add("explosion.png", Explosion());
    set.Add("m_beam.png", Beam(Rgb(120, 180, 255), false));
    set.Add("mahouzin.png", MagicCircle());
    set.Add("mahouzin_beam.png", Beam(Rgb(255, 140, 220), true));
    set.Add("particle.png", SoftDot(16));
    set.Add("trail.png", Trail());
}

}  // namespace assetgen
