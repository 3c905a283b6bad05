#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PixelTestKit.h"

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

// Additive drawing of a dim grey: a pixel drawn once reads 40, twice 80, never 0.
struct AdditiveCanvas : Canvas {
    AdditiveCanvas() { SetAdditiveStates(&device); }
};
constexpr std::uint32_t kGrey40 = 0xFF282828u;

// Every pixel whose centre lies in [left, right) x [top, bottom) reads `inside`, every other `outside`.
void ExpectRectangle(Canvas& canvas, double left, double top, double right, double bottom,
                     std::uint32_t inside, std::uint32_t outside) {
    int wrong = 0;
    for (int y = 0; y < gfx::kFrameHeight; ++y) {
        for (int x = 0; x < gfx::kFrameWidth; ++x) {
            const bool covered = x >= left && x < right && y >= top && y < bottom;
            const std::uint32_t expected = covered ? inside : outside;
            if (canvas.At(x, y) != expected && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << canvas.At(x, y) << ", expected "
                              << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Rasterizer, ASpriteCentredOnIntegersCoversExactlyItsSizeAndMapsTexelsOneToOne) {
    const auto texture = MakeTexture(32, 32, [](int x, int y) { return 0xFF000000u | (y << 8) | x; });
    Canvas canvas;
    canvas.device.SetSamplerState(0, gfx::SamplerState::MinFilter, gfx::TEXF_POINT);
    canvas.device.SetSamplerState(0, gfx::SamplerState::MagFilter, gfx::TEXF_POINT);
    canvas.device.SetTexture(0, texture.get());
    const int cx = 100;
    const int cy = 60;
    canvas.Strip(Canvas::Rect(cx - 16, cy - 16, cx + 16, cy + 16, 0xFFFFFFFFu));
    for (int y = cy - 20; y < cy + 20; ++y) {
        for (int x = cx - 20; x < cx + 20; ++x) {
            const bool inside = x >= cx - 16 && x < cx + 16 && y >= cy - 16 && y < cy + 16;
            const std::uint32_t expected =
                inside ? 0xFF000000u | static_cast<std::uint32_t>((y - cy + 16) << 8 | (x - cx + 16)) : kBlack;
            ASSERT_EQ(canvas.At(x, y), expected) << x << ", " << y;
        }
    }

    // The general triangle path agrees with the rectangle path, texel for texel.
    Canvas split;
    split.device.SetSamplerState(0, gfx::SamplerState::MinFilter, gfx::TEXF_POINT);
    split.device.SetSamplerState(0, gfx::SamplerState::MagFilter, gfx::TEXF_POINT);
    split.device.SetTexture(0, texture.get());
    split.SplitStrip(Canvas::Rect(cx - 16, cy - 16, cx + 16, cy + 16, 0xFFFFFFFFu));
    EXPECT_EQ(split.Pixels(), canvas.Pixels());
}

TEST(Rasterizer, EdgesOffPixelCentresRoundTheWayTheTopLeftRuleSays) {
    for (const bool split : {false, true}) {
        AdditiveCanvas canvas;
        const auto quad = Canvas::Rect(10.5f, 20.25f, 30.5f, 40.75f, kGrey40);
        split ? canvas.SplitStrip(quad) : canvas.Strip(quad);
        // Columns 11..30 and rows 21..40: centres on or right of the left edge, left of the right edge.
        ExpectRectangle(canvas, 10.5, 20.25, 30.5, 40.75, kGrey40, kBlack);
    }
}

TEST(Rasterizer, QuadsSharingAnEdgeDrawEveryPixelOnce) {
    // Side by side and stacked, on and off pixel centres.
    AdditiveCanvas canvas;
    canvas.Strip(Canvas::Rect(20, 30, 50, 70, kGrey40));
    canvas.Strip(Canvas::Rect(50, 30, 80.5f, 70, kGrey40));
    canvas.Strip(Canvas::Rect(20, 70, 80.5f, 90.5f, kGrey40));
    ExpectRectangle(canvas, 20, 30, 80.5, 90.5, kGrey40, kBlack);

    // A strip zig-zagging between two lines: slanted edges of every slope are shared inside
    // a rectangle whose covered pixels are known.
    AdditiveCanvas zigzag;
    const float xs[] = {100.3f, 101.0f, 117.7f, 121.5f, 150.0f, 150.0f, 163.25f, 190.9f, 200.6f, 231.0f, 240.5f, 240.5f};
    std::vector<QuadVertex> strip;
    for (int i = 0; i < 12; ++i) {
        strip.push_back(Canvas::Vertex(i == 1 ? 100.3f : xs[i], i % 2 == 0 ? 50.6f : 120.0f, kGrey40));
    }
    zigzag.Strip(strip);
    ExpectRectangle(zigzag, 100.3, 50.6, 240.5, 120.0, kGrey40, kBlack);
}

TEST(Rasterizer, RotatedQuadsSharingEdgesNeitherOverlapNorLeaveGaps) {
    // A rotated square of four quads around a common centre: summed additively, no pixel may
    // read twice the colour, and the pixels at the centre must all be covered.
    AdditiveCanvas canvas;
    const double angle = 0.37;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const auto point = [&](double x, double y) {
        return Canvas::Vertex(static_cast<float>(320 + x * c - y * s), static_cast<float>(240 + x * s + y * c), kGrey40);
    };
    for (const int qx : {-1, 0}) {
        for (const int qy : {-1, 0}) {
            const double x0 = qx * 40.0;
            const double y0 = qy * 40.0;
            canvas.Strip({point(x0, y0), point(x0 + 40, y0), point(x0, y0 + 40), point(x0 + 40, y0 + 40)});
        }
    }
    int covered = 0;
    for (std::uint32_t pixel : canvas.Pixels()) {
        ASSERT_TRUE(pixel == kBlack || pixel == kGrey40) << std::hex << pixel;
        covered += pixel == kGrey40;
    }
    for (int y = 200; y <= 280; ++y) {
        for (int x = 280; x <= 360; ++x) {
            if (std::hypot(x - 320, y - 240) < 38.0) {
                ASSERT_EQ(canvas.At(x, y), kGrey40) << x << ", " << y;
            }
        }
    }
    EXPECT_NEAR(covered, 80 * 80, 80 * 2);  // the area, give or take the boundary
}

TEST(Rasterizer, QuadsPartlyOrWhollyOffTheFrameAreClipped) {
    AdditiveCanvas canvas;
    canvas.Strip(Canvas::Rect(-16, -16, 16, 16, kGrey40));
    canvas.Strip(Canvas::Rect(630, 470, 700, 900, kGrey40));
    canvas.Strip(Canvas::Rect(-500, 100, -10, 200, kGrey40));
    canvas.Strip(Canvas::Rect(100, 481, 200, 600, kGrey40));
    int covered = 0;
    for (std::uint32_t pixel : canvas.Pixels()) {
        covered += pixel == kGrey40;
    }
    EXPECT_EQ(covered, 16 * 16 + 10 * 10);
    EXPECT_EQ(canvas.At(0, 0), kGrey40);
    EXPECT_EQ(canvas.At(639, 479), kGrey40);

    // A rotated quad far larger than the frame covers all of it.
    AdditiveCanvas rotated;
    rotated.Strip({Canvas::Vertex(320, -5000, kGrey40), Canvas::Vertex(5320, 240, kGrey40),
                   Canvas::Vertex(-4680, 240, kGrey40), Canvas::Vertex(320, 5480, kGrey40)});
    ExpectRectangle(rotated, 0, 0, 640, 480, kGrey40, kBlack);
}

TEST(Rasterizer, BrokenGeometryIsSkippedWithoutHarm) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const auto texture = MakeTexture(16, 16, [](int, int) { return 0xFFFFFFFFu; });
    AdditiveCanvas canvas;
    canvas.device.SetTexture(0, texture.get());
    canvas.Strip(Canvas::Rect(nan, 10, 50, 50, kGrey40));
    canvas.Strip(Canvas::Rect(10, 10, inf, 50, kGrey40));
    canvas.Strip(Canvas::Rect(-1e30f, -1e30f, 1e30f, 1e30f, kGrey40));
    canvas.Strip(Canvas::Rect(10, 10, 50, 50, kGrey40, nan, 0, 1, 1));
    canvas.Strip({Canvas::Vertex(10, 10, kGrey40), Canvas::Vertex(20, 20, kGrey40), Canvas::Vertex(30, 30, kGrey40)});
    canvas.Strip(Canvas::Rect(10, 10, 10, 50, kGrey40));
    canvas.device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, nullptr, sizeof(QuadVertex));
    for (std::uint32_t pixel : canvas.Pixels()) {
        ASSERT_EQ(pixel, kBlack);
    }

    // Texture coordinates far outside the texture still draw, folded by the addressing.
    canvas.Strip(Canvas::Rect(10, 10, 50, 50, kGrey40, -1e20f, 3e9f, 1e20f, 7e12f));
    canvas.Strip(Canvas::Rect(60, 10, 100, 50, kGrey40, 0, 0, 1e9f, 1e9f));
    EXPECT_EQ(canvas.At(20, 20), kGrey40);
    EXPECT_EQ(canvas.At(70, 20), kGrey40);

    // One bad vertex drops only the three triangles it belongs to.
    AdditiveCanvas strip;
    strip.Strip({Canvas::Vertex(0, 0, kGrey40), Canvas::Vertex(0, 20, kGrey40), Canvas::Vertex(20, 0, kGrey40),
                 Canvas::Vertex(20, 20, kGrey40), Canvas::Vertex(nan, 0, kGrey40), Canvas::Vertex(40, 20, kGrey40),
                 Canvas::Vertex(60, 0, kGrey40), Canvas::Vertex(60, 20, kGrey40)});
    EXPECT_EQ(strip.At(0, 0), kGrey40);
    EXPECT_EQ(strip.At(19, 19), kGrey40);
    EXPECT_EQ(strip.At(30, 15), kBlack);
    EXPECT_EQ(strip.At(45, 5), kBlack);
    EXPECT_EQ(strip.At(55, 15), kGrey40);
}

TEST(Rasterizer, OtherVertexFormatsAndPrimitiveTypesDrawNothing) {
    AdditiveCanvas canvas;
    canvas.device.SetFVF(0x142);
    canvas.Strip(Canvas::Rect(10, 10, 50, 50, kGrey40));
    canvas.device.SetFVF(kQuadVertexFormat);
    const auto quad = Canvas::Rect(10, 10, 50, 50, kGrey40);
    canvas.device.DrawPrimitiveUP(static_cast<gfx::PrimitiveType>(4), 2, quad.data(), sizeof(QuadVertex));
    canvas.device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, quad.data(), 20);
    for (std::uint32_t pixel : canvas.Pixels()) {
        ASSERT_EQ(pixel, kBlack);
    }
}

}  // namespace
