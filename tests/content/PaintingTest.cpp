#include <gtest/gtest.h>

#include <cmath>

#include "ArtKit.h"
#include "Canvas.h"
#include "Noise.h"
#include "Text.h"

namespace {

using namespace assetgen;

constexpr float kPi = 3.14159265f;

float TotalAlpha(const Canvas& c) {
    float sum = 0;
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            sum += c.Get(x, y).a;
        }
    }
    return sum;
}

TEST(Painting, FilledCircleCoversItsAreaWithSoftEdges) {
    Canvas c(64, 64);
    const float r = 20.3f;
    c.Fill(Circle(32, 32, r), Rgb(255, 0, 0));
    EXPECT_FLOAT_EQ(c.Get(32, 32).a, 1.0f);
    EXPECT_FLOAT_EQ(c.Get(32, 32).r, 1.0f);
    EXPECT_EQ(c.Get(2, 2).a, 0.0f);
    EXPECT_NEAR(TotalAlpha(c), kPi * r * r, kPi * r * r * 0.01f);
    // The edge passes 0.2 px short of the centre of pixel 52: it is covered by about 0.3.
    EXPECT_NEAR(c.Get(52, 32).a, 0.3f, 0.02f);
    EXPECT_FLOAT_EQ(c.Get(51, 32).a, 1.0f);
}

TEST(Painting, SourceOverBlendingMixesByAlpha) {
    Canvas c(1, 1, Rgb(0, 0, 255));
    c.Blend(0, 0, Rgb(255, 0, 0, 0.5f));
    const Color mixed = c.Get(0, 0);
    EXPECT_NEAR(mixed.r, 0.5f, 1e-5f);
    EXPECT_NEAR(mixed.b, 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(mixed.a, 1.0f);
    Canvas clear(1, 1);
    clear.Blend(0, 0, Rgb(0, 255, 0, 0.25f));
    EXPECT_FLOAT_EQ(clear.Get(0, 0).g, 1.0f);  // straight alpha keeps the colour whole
    EXPECT_FLOAT_EQ(clear.Get(0, 0).a, 0.25f);
}

TEST(Painting, ExportNeverWritesTheColourKeyAndClearsTransparentPixels) {
    Canvas c(3, 1);
    c.Set(0, 0, Rgb(0, 255, 0));
    c.Set(1, 0, Rgb(0, 255, 0, 0.5f));
    c.Set(2, 0, Rgb(200, 100, 50, 0.0f));
    const std::vector<std::uint32_t> argb = c.ToArgb();
    EXPECT_NE(argb[0], 0xFF00FF00u);
    EXPECT_EQ(argb[0] >> 24, 0xFFu);
    EXPECT_EQ(argb[1], 0x8000FF00u);  // translucent green is not the key and stays as it is
    EXPECT_EQ(argb[2], 0u);
}

TEST(Painting, BlurSpreadsWithoutLosingCoverage) {
    Canvas c(64, 64);
    c.Fill(Rect(28, 28, 36, 36), Rgb(255, 255, 255));
    const float before = TotalAlpha(c);
    c.Blur(4);
    EXPECT_NEAR(TotalAlpha(c), before, before * 0.02f);
    EXPECT_LT(c.Get(32, 32).a, 1.0f);
    EXPECT_GT(c.Get(24, 32).a, 0.0f);
    EXPECT_EQ(c.Get(10, 32).a, 0.0f);
    EXPECT_FLOAT_EQ(c.Get(32, 32).r, 1.0f);  // colour does not darken towards transparent edges
}

TEST(Painting, ShapeDistancesHaveTheRightSignAndSize) {
    const Shape box = RoundRect(0, 0, 20, 10, 0);
    EXPECT_NEAR(box.distance(10, 5), -5.0f, 1e-4f);
    EXPECT_NEAR(box.distance(25, 5), 5.0f, 1e-4f);
    EXPECT_NEAR(box.distance(23, 14), 5.0f, 1e-4f);  // corner: 3-4-5
    // An L shape: the notch is outside although it lies inside the bounding box.
    const Shape ell = Polygon({{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}});
    EXPECT_LT(ell.distance(2, 8), 0.0f);
    EXPECT_GT(ell.distance(8, 8), 0.0f);
    const Shape ring = Subtract(Circle(0, 0, 10), Circle(0, 0, 6));
    EXPECT_GT(ring.distance(0, 0), 0.0f);
    EXPECT_LT(ring.distance(8, 0), 0.0f);
    EXPECT_NEAR(Outline(Circle(0, 0, 10), 2).distance(10, 0), -1.0f, 1e-4f);
}

TEST(Painting, RotationTurnsClockwiseOnScreen) {
    // A bar pointing right from the centre, turned a quarter turn, points down (y grows down).
    const Shape bar = Rotated(Rect(16, 15, 30, 17), 16, 16, kPi / 2);
    EXPECT_LT(bar.distance(16, 25), 0.0f);
    EXPECT_GT(bar.distance(25, 16), 0.0f);
    EXPECT_GT(bar.distance(16, 7), 0.0f);
}

TEST(Painting, ResizingAveragesAndKeepsFlatAreasFlat) {
    Canvas checker(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            checker.Set(x, y, (x + y) % 2 == 0 ? Rgb(255, 255, 255) : Rgb(0, 0, 0));
        }
    }
    const Canvas half = checker.Resized(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_NEAR(half.Get(x, y).r, 0.5f, 0.01f) << x << ", " << y;
            EXPECT_NEAR(half.Get(x, y).a, 1.0f, 1e-5f);
        }
    }
    const Canvas grown = Canvas(4, 4, Rgb(10, 200, 30)).Resized(16, 8);
    EXPECT_NEAR(grown.Get(0, 0).g, 200.0f / 255.0f, 1e-4f);
    EXPECT_NEAR(grown.Get(15, 7).r, 10.0f / 255.0f, 1e-4f);
}

TEST(Painting, CaptionsAreCentredOnTheirInk) {
    std::string problem;
    ASSERT_TRUE(FontsReady(problem)) << problem;
    for (const auto& [text, font] : {std::pair{"Velmoria", Font::LatinBold}, std::pair{"妖精の森", Font::Japanese}}) {
        Canvas c(200, 60);
        TextStyle style;
        style.font = font;
        style.size = 24;
        ASSERT_TRUE(DrawText(c, text, 100, 30, Align::Centre, style));
        int x0 = 200, x1 = 0, y0 = 60, y1 = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (c.Get(x, y).a > 0.0f) {
                    x0 = std::min(x0, x);
                    x1 = std::max(x1, x + 1);
                    y0 = std::min(y0, y);
                    y1 = std::max(y1, y + 1);
                }
            }
        }
        ASSERT_LT(x0, x1) << text << " drew nothing";
        EXPECT_NEAR((x0 + x1) * 0.5f, 100.0f, 1.0f) << text;
        EXPECT_NEAR((y0 + y1) * 0.5f, 30.0f, 1.0f) << text;
        EXPECT_GT(x1 - x0, 50) << text;
    }
}

// English captions are set with the font's kerning, which pulls "AV" together; a caption wider
// than its cell is recorded (the generator then fails) rather than shipped cut.
TEST(Painting, KerningPullsPairsTogetherAndCaptionsWiderThanTheirCellAreRecorded) {
    std::string problem;
    ASSERT_TRUE(FontsReady(problem)) << problem;
    TextStyle plain;
    plain.font = Font::LatinBold;
    plain.size = 24;
    TextStyle kerned = plain;
    kerned.kerning = true;
    EXPECT_LT(InkWidth("AVAVAV", kerned), InkWidth("AVAVAV", plain) - 2.0f);
    EXPECT_EQ(InkWidth("HIH", kerned), InkWidth("HIH", plain));

    const std::size_t before = kit::Overflows().size();
    Canvas c(120, 40);
    kit::FittedText(c, "Fits", 60, 20, Align::Centre, 110, plain);
    EXPECT_EQ(kit::Overflows().size(), before);
    kit::FittedText(c, "Much too long", 60, 20, Align::Centre, 110, plain);
    ASSERT_EQ(kit::Overflows().size(), before + 1);
    EXPECT_NE(kit::Overflows().back().find("Much too long"), std::string::npos);
    EXPECT_GT(TotalAlpha(c), 0.0f);  // drawn all the same, so the review shows what is wrong
}

TEST(Painting, RandomNumbersAndNoiseRepeatForTheSameSeed) {
    Rng a(7);
    Rng b(7);
    Rng other(8);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const std::uint32_t va = a.Next();
        EXPECT_EQ(va, b.Next());
        differs |= va != other.Next();
    }
    EXPECT_TRUE(differs);
    for (float x = -3.0f; x < 3.0f; x += 0.37f) {
        const float n = Fractal(x, x * 0.5f, 5, 4);
        EXPECT_GE(n, 0.0f);
        EXPECT_LE(n, 1.0f);
        // A period of 4 lattice cells tiles: the noise repeats every 4 units.
        EXPECT_NEAR(ValueNoise(x, 1.3f, 9, 4), ValueNoise(x + 4.0f, 1.3f, 9, 4), 1e-5f);
    }
}

}  // namespace
