#include <gtest/gtest.h>

#include "PixelTestKit.h"
#include "gfx/ImageTexture.h"
#include "gfx/PngCodec.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

void UseFilter(gfx::Device& device, std::uint32_t filter) {
    device.SetSamplerState(0, gfx::SamplerState::MinFilter, filter);
    device.SetSamplerState(0, gfx::SamplerState::MagFilter, filter);
}

void UseAddress(gfx::Device& device, std::uint32_t mode) {
    device.SetSamplerState(0, gfx::SamplerState::AddressU, mode);
    device.SetSamplerState(0, gfx::SamplerState::AddressV, mode);
}

// Four opaque texels in a row whose red channel names them: 10, 20, 30, 40.
std::unique_ptr<gfx::Texture> NumberedRow() {
    return MakeTexture(4, 1, [](int x, int) { return 0xFF000000u | static_cast<std::uint32_t>(10 * (x + 1)) << 16; });
}

std::vector<int> RedsAlongRow(Canvas& canvas, int y, int x0, int count) {
    std::vector<int> reds;
    for (int x = x0; x < x0 + count; ++x) {
        reds.push_back(Red(canvas.At(x, y)));
    }
    return reds;
}

TEST(Sampling, LinearFilteringBlendsNeighbouringTexelsByDistanceFromTheirCentres) {
    // Two texels, black then white, stretched over 8 pixels: texel centres fall on pixels 2 and 6.
    const auto texture = MakeTexture(2, 1, [](int x, int) { return x == 0 ? 0xFF000000u : kWhite; });
    Canvas canvas;
    UseAddress(canvas.device, gfx::TADDRESS_CLAMP);
    canvas.device.SetTexture(0, texture.get());
    canvas.Strip(Canvas::Rect(0, 0, 8, 1, kWhite));
    const std::vector<int> expected = {0, 0, 0, 64, 128, 191, 255, 255};
    const std::vector<int> reds = RedsAlongRow(canvas, 0, 0, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(reds[i], expected[i], 1) << "pixel " << i;
    }

    // Drawn one to one with edges on pixel centres, each pixel sits on a texel corner and
    // gets the average of four texels (the well-known half-texel offset).
    const auto checker = MakeTexture(2, 2, [](int x, int y) { return (x + y) % 2 ? kWhite : 0xFF000000u; });
    Canvas corners;
    UseAddress(corners.device, gfx::TADDRESS_WRAP);
    corners.device.SetTexture(0, checker.get());
    corners.Strip(Canvas::Rect(10, 10, 12, 12, kWhite));
    EXPECT_NEAR(Red(corners.At(11, 11)), 128, 1);
}

TEST(Sampling, AddressingModesFoldCoordinatesOutsideTheTexture) {
    const auto texture = NumberedRow();
    struct Case {
        std::uint32_t mode;
        float u0;
        float u1;
        std::vector<int> reds;
    };
    // Point sampling, one texel per two pixels.
    const Case cases[] = {
        {gfx::TADDRESS_MIRROR, 1.0f, 2.0f, {40, 40, 30, 30, 20, 20, 10, 10}},
        {gfx::TADDRESS_MIRROR, 0.5f, 1.5f, {30, 30, 40, 40, 40, 40, 30, 30}},
        {gfx::TADDRESS_MIRROR, -1.0f, 0.0f, {40, 40, 30, 30, 20, 20, 10, 10}},
        {gfx::TADDRESS_WRAP, 0.5f, 1.5f, {30, 30, 40, 40, 10, 10, 20, 20}},
        {gfx::TADDRESS_WRAP, -3.0f, -2.0f, {10, 10, 20, 20, 30, 30, 40, 40}},
        {gfx::TADDRESS_CLAMP, 0.5f, 1.5f, {30, 30, 40, 40, 40, 40, 40, 40}},
        {gfx::TADDRESS_CLAMP, -1.0f, 0.0f, {10, 10, 10, 10, 10, 10, 10, 10}},
    };
    for (const Case& c : cases) {
        for (const bool rotated : {false, true}) {
            Canvas canvas;
            UseFilter(canvas.device, gfx::TEXF_POINT);
            UseAddress(canvas.device, c.mode);
            canvas.device.SetTexture(0, texture.get());
            auto quad = Canvas::Rect(0, 0, 8, 2, kWhite, c.u0, 0, c.u1, 1);
            if (rotated) {
                // Same mapping through the general path: a sliver of skew on the lower edge.
                quad[3].x += 0.001f;
            }
            canvas.Strip(quad);
            EXPECT_EQ(RedsAlongRow(canvas, 0, 0, 8), c.reds) << "mode " << c.mode << " u " << c.u0 << ".." << c.u1;
        }
    }
}

TEST(Sampling, ScrollingPastOneShowsTheImageMirroredOnEveryOtherRepeat) {
    const auto texture = NumberedRow();
    Canvas canvas;
    UseFilter(canvas.device, gfx::TEXF_POINT);
    canvas.device.SetTexture(0, texture.get());
    // Four texels per four pixels; each row scrolls u by a further half.
    for (int row = 0; row < 4; ++row) {
        const float scroll = 0.5f * row;
        canvas.Strip(Canvas::Rect(0, static_cast<float>(row), 4, static_cast<float>(row + 1), kWhite, scroll, 0,
                                  scroll + 1, 1));
    }
    EXPECT_EQ(RedsAlongRow(canvas, 0, 0, 4), (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(RedsAlongRow(canvas, 1, 0, 4), (std::vector<int>{30, 40, 40, 30}));
    EXPECT_EQ(RedsAlongRow(canvas, 2, 0, 4), (std::vector<int>{40, 30, 20, 10}));
    EXPECT_EQ(RedsAlongRow(canvas, 3, 0, 4), (std::vector<int>{20, 10, 10, 20}));
}

TEST(Sampling, ColourKeyedPixelsOfALoadedImageAreTransparent) {
    // A 3 x 2 picture: pure green is the key, everything else shows.
    const std::uint32_t picture[] = {0xFF00FF00u, 0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF00FF00u, 0xFF00FE00u};
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(gfx::EncodePng(picture, 3, 2, png));
    Canvas canvas(0xFF808080u);
    const auto texture = CreateTextureFromImageBytes(&canvas.device, png.data(), png.size());
    ASSERT_NE(texture, nullptr);
    UseFilter(canvas.device, gfx::TEXF_POINT);
    canvas.device.SetTexture(0, texture.get());
    // The texture is 4 x 2; map its 3 x 2 picture onto 3 x 2 pixels.
    canvas.Strip(Canvas::Rect(10, 10, 13, 12, kWhite, 0, 0, 0.75f, 1));
    EXPECT_EQ(canvas.At(10, 10), 0xFF808080u);
    EXPECT_EQ(canvas.At(11, 10), 0xFFFF0000u);
    EXPECT_EQ(canvas.At(12, 10), 0xFF808080u);
    EXPECT_EQ(canvas.At(10, 11), 0xFF0000FFu);
    EXPECT_EQ(canvas.At(11, 11), 0xFF808080u);
    EXPECT_EQ(canvas.At(12, 11), 0xFF00FE00u);
}

TEST(Sampling, MagnifyingAndMinifyingUseTheirOwnFilters) {
    const auto texture = MakeTexture(2, 1, [](int x, int) { return x == 0 ? 0xFF000000u : kWhite; });
    Canvas canvas;
    UseAddress(canvas.device, gfx::TADDRESS_CLAMP);
    canvas.device.SetSamplerState(0, gfx::SamplerState::MagFilter, gfx::TEXF_POINT);
    canvas.device.SetSamplerState(0, gfx::SamplerState::MinFilter, gfx::TEXF_LINEAR);
    canvas.device.SetTexture(0, texture.get());
    canvas.Strip(Canvas::Rect(0, 0, 8, 1, kWhite));  // magnified: point
    EXPECT_EQ(Red(canvas.At(3, 0)), 0);
    EXPECT_EQ(Red(canvas.At(4, 0)), 255);
    // Minified, two texels to a pixel: the one pixel's centre falls between the two texels.
    canvas.Strip(Canvas::Rect(-0.5f, 2, 0.5f, 3, kWhite));
    EXPECT_NEAR(Red(canvas.At(0, 2)), 128, 1);
    canvas.device.SetSamplerState(0, gfx::SamplerState::MagFilter, gfx::TEXF_LINEAR);
    canvas.device.SetSamplerState(0, gfx::SamplerState::MinFilter, gfx::TEXF_POINT);
    canvas.Strip(Canvas::Rect(-0.5f, 4, 0.5f, 5, kWhite));
    EXPECT_EQ(Red(canvas.At(0, 4)), 255);
}

}  // namespace
