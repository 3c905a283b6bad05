#include <gtest/gtest.h>

#include "PixelTestKit.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

TEST(Shading, SourceAlphaBlendingMixesByTheSourceAlphaRoundedToNearest) {
    Canvas canvas(0xFF0000FFu);
    canvas.device.SetTexture(0, nullptr);
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, 0x80FF0000u));
    EXPECT_EQ(canvas.At(1, 1), 0xFF80007Fu);  // 255 * 128 / 255 red, 255 * 127 / 255 blue
    canvas.Strip(Canvas::Rect(10, 0, 14, 4, 0x00FFFFFFu));
    EXPECT_EQ(canvas.At(11, 1), 0xFF0000FFu);  // fully transparent
    canvas.Strip(Canvas::Rect(20, 0, 24, 4, 0xFF123456u));
    EXPECT_EQ(canvas.At(21, 1), 0xFF123456u);  // fully opaque

    // The texture's alpha and the vertex alpha multiply.
    const auto texture = MakeTexture(1, 1, [](int, int) { return 0x80FFFFFFu; });
    canvas.device.SetTexture(0, texture.get());
    canvas.Strip(Canvas::Rect(30, 0, 34, 4, 0x80FF0000u));
    EXPECT_EQ(canvas.At(31, 1), 0xFF4000BFu);  // alpha 64: red 64, blue 191
}

TEST(Shading, AdditiveBlendingAddsTheAlphaWeightedSourceAndSaturates) {
    Canvas canvas(0xFF64C8FAu);  // 100, 200, 250
    SetAdditiveStates(&canvas.device);
    canvas.device.SetTexture(0, nullptr);
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, 0x80C86432u));  // 200, 100, 50 at alpha 128
    EXPECT_EQ(canvas.At(1, 1), 0xFFC8FAFFu);              // 200, 250, 255 (saturated)
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, 0xFFFFFFFFu));
    EXPECT_EQ(canvas.At(1, 1), 0xFFFFFFFFu);
}

TEST(Shading, TheAdditiveTintIsTwiceTheVertexColourAndIgnoresTheTextureColour) {
    for (const std::uint32_t texel : {0xFF0A141Eu, 0xFFFFFFFFu, 0x80000000u}) {
        const auto texture = MakeTexture(1, 1, [texel](int, int) { return texel; });
        Canvas canvas;
        SetAdditiveTintStates(&canvas.device);
        canvas.device.SetTexture(0, texture.get());
        canvas.Strip(Canvas::Rect(0, 0, 4, 4, 0xFF64C828u));  // 100, 200, 40
        const bool halfAlpha = (texel >> 24) == 0x80;
        // 200, 255 (saturated), 80, weighted by the texture's alpha times the vertex alpha.
        EXPECT_EQ(canvas.At(1, 1), halfAlpha ? 0xFF648028u : 0xFFC8FF50u) << std::hex << texel;
    }
}

TEST(Shading, AlphaCanComeFromTheDiffuseColourAlone) {
    // A texture whose alpha is zero everywhere still shows when its alpha is ignored.
    const auto texture = MakeTexture(1, 1, [](int, int) { return 0x0000FF00u; });
    Canvas canvas;
    canvas.device.SetTexture(0, texture.get());
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, kWhite));
    EXPECT_EQ(canvas.At(1, 1), 0xFF000000u);
    canvas.device.SetTextureStageState(0, gfx::TextureStageState::AlphaOp, gfx::TOP_SELECTARG2);
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, kWhite));
    EXPECT_EQ(canvas.At(1, 1), 0xFF00FF00u);
    canvas.Strip(Canvas::Rect(10, 0, 14, 4, 0x80FFFFFFu));
    EXPECT_EQ(canvas.At(11, 1), 0xFF008000u);
}

TEST(Shading, VertexColoursAreInterpolatedAcrossTheQuad) {
    // Alpha from 0 on the left to 255 on the right: white fades in over black.
    Canvas canvas;
    canvas.device.SetTexture(0, nullptr);
    auto fade = Canvas::Rect(0, 0, 255, 10, 0x00FFFFFFu);
    fade[1].diffuse = fade[3].diffuse = kWhite;
    canvas.Strip(fade);
    for (int x = 0; x < 255; x += 17) {
        EXPECT_NEAR(Red(canvas.At(x, 5)), x, 1) << x;
    }

    // Colours too, from top to bottom, on the rectangle path and on the triangle path alike.
    for (const bool split : {false, true}) {
        Canvas gradient;
        gradient.device.SetTexture(0, nullptr);
        auto quad = Canvas::Rect(0, 0, 10, 200, 0xFFFF0000u);
        quad[2].diffuse = quad[3].diffuse = 0xFF0000FFu;
        split ? gradient.SplitStrip(quad) : gradient.Strip(quad);
        EXPECT_EQ(gradient.At(5, 0), 0xFFFF0000u);
        EXPECT_NEAR(Red(gradient.At(5, 100)), 128, 1);
        EXPECT_NEAR(Blue(gradient.At(5, 100)), 128, 1);
        EXPECT_NEAR(Blue(gradient.At(5, 199)), 254, 1);
    }

    // Four different corners do not lie on one plane; each triangle interpolates its own.
    Canvas corners;
    corners.device.SetTexture(0, nullptr);
    auto quad = Canvas::Rect(0, 0, 100, 100, 0xFF000000u);
    quad[3].diffuse = 0xFFFF0000u;
    corners.Strip(quad);
    EXPECT_EQ(Red(corners.At(40, 40)), 0);  // the first triangle holds only black corners
    EXPECT_NEAR(Red(corners.At(90, 90)), 204, 2);
}

TEST(Shading, WithoutATextureTheDiffuseColourIsDrawn) {
    Canvas canvas;
    canvas.device.SetTexture(0, nullptr);
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, 0xFF123456u));
    EXPECT_EQ(canvas.At(2, 2), 0xFF123456u);
    SetAdditiveTintStates(&canvas.device);
    canvas.Strip(Canvas::Rect(10, 0, 14, 4, 0xFF102030u));
    EXPECT_EQ(canvas.At(12, 2), 0xFF204060u);
}

TEST(Shading, TheSecondStageTakesItsOwnTextureWhenOneIsBound) {
    const auto first = MakeTexture(1, 1, [](int, int) { return 0xFFFF8040u; });
    const auto second = MakeTexture(1, 1, [](int, int) { return 0x80808080u; });
    Canvas canvas;
    canvas.device.SetTexture(0, first.get());
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, kWhite));
    EXPECT_EQ(canvas.At(1, 1), 0xFFFF8040u);  // no texture on stage 1: its texture x current passes through
    canvas.device.SetTexture(1, second.get());
    canvas.Strip(Canvas::Rect(10, 0, 14, 4, kWhite));
    // Colour 0x80 x (FF, 80, 40); alpha 0x80 blends half over black.
    EXPECT_EQ(canvas.At(11, 1), 0xFF402010u);
}

TEST(Shading, BlendingOffReplacesThePixel) {
    Canvas canvas(0xFF00FF00u);
    canvas.device.SetRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    canvas.device.SetTexture(0, nullptr);
    canvas.Strip(Canvas::Rect(0, 0, 4, 4, 0x10203040u));
    EXPECT_EQ(canvas.At(1, 1), 0xFF203040u);
}

}  // namespace
