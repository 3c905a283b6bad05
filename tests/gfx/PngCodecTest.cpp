#include "gfx/PngCodec.h"

#include <gtest/gtest.h>

#include "gfx/ImageTexture.h"
#include "gfx/SoftwareDevice.h"

namespace {

std::vector<std::uint32_t> Pattern(int width, int height) {
    std::vector<std::uint32_t> argb(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < argb.size(); ++i) {
        argb[i] = static_cast<std::uint32_t>(i * 2654435761u);
    }
    return argb;
}

TEST(PngCodec, EncodeThenDecodeGivesThePixelsBackAndEncodingIsDeterministic) {
    const std::vector<std::uint32_t> pixels = Pattern(13, 7);
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> second;
    ASSERT_TRUE(gfx::EncodePng(pixels.data(), 13, 7, first));
    ASSERT_TRUE(gfx::EncodePng(pixels.data(), 13, 7, second));
    EXPECT_EQ(first, second);
    gfx::Image image;
    ASSERT_TRUE(gfx::DecodePng(first.data(), first.size(), image));
    EXPECT_EQ(image.width, 13);
    EXPECT_EQ(image.height, 7);
    EXPECT_EQ(image.argb, pixels);
}

TEST(PngCodec, HostileBytesAreRefusedWithoutACrash) {
    const std::vector<std::uint32_t> pixels = Pattern(16, 16);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(gfx::EncodePng(pixels.data(), 16, 16, bytes));
    gfx::Image image;
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        EXPECT_FALSE(gfx::DecodePng(bytes.data(), cut, image)) << "truncated at " << cut;
        EXPECT_TRUE(image.argb.empty());
    }
    std::vector<std::uint8_t> flipped = bytes;
    for (std::size_t i = 8; i < flipped.size(); i += 5) {
        flipped[i] ^= 0x5A;
    }
    EXPECT_FALSE(gfx::DecodePng(flipped.data(), flipped.size(), image));
    const char text[] = "not a png at all";
    EXPECT_FALSE(gfx::DecodePng(text, sizeof text, image));
    EXPECT_FALSE(gfx::DecodePng(nullptr, 0, image));
}

TEST(PngCodec, AbsurdDimensionsAreRefused) {
    std::vector<std::uint8_t> bytes;
    const std::uint32_t pixel = 0xFFFFFFFFu;
    ASSERT_TRUE(gfx::EncodePng(&pixel, 1, 1, bytes));
    // IHDR width lives at byte 16; claim 100000 pixels (the CRC no longer matches either).
    bytes[16] = 0x00;
    bytes[17] = 0x01;
    bytes[18] = 0x86;
    bytes[19] = 0xA0;
    gfx::Image image;
    EXPECT_FALSE(gfx::DecodePng(bytes.data(), bytes.size(), image));
}

TEST(ImageTexture, SidesRoundUpWithThePictureTopLeftAndGreenKeyedOut) {
    std::vector<std::uint32_t> pixels(5 * 3, 0xFF112233u);
    pixels[4] = 0xFF00FF00u;  // the colour key, top-right corner
    pixels[5] = 0x8000FF00u;  // green but not opaque: kept
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(gfx::EncodePng(pixels.data(), 5, 3, bytes));
    gfx::SoftwareDevice device(nullptr);
    std::unique_ptr<gfx::Texture> texture = CreateTextureFromImageBytes(&device, bytes.data(), bytes.size());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 8);
    EXPECT_EQ(texture->Height(), 4);
    const std::uint32_t* texels = texture->Pixels();
    EXPECT_EQ(texels[0], 0xFF112233u);
    EXPECT_EQ(texels[4], 0u);
    EXPECT_EQ(texels[8], 0x8000FF00u);  // row 1 starts at texel 8
    EXPECT_EQ(texels[5], 0u);           // outside the picture
    EXPECT_EQ(CreateTextureFromImageBytes(&device, bytes.data(), 20), nullptr);
}

}  // namespace
