#include <gtest/gtest.h>

#include <vector>

#include "gfx/PngCodec.h"
#include "gfx/PngLayouts.h"

namespace {

std::vector<std::uint32_t> Decode(const std::vector<std::uint8_t>& bytes) {
    gfx::Image image;
    EXPECT_TRUE(gfx::DecodePng(bytes.data(), bytes.size(), image));
    return image.argb;
}

TEST(PngFormats, EveryLayoutDecodesToArgb) {
    // Grey, 8 bits, two pixels.
    EXPECT_EQ(Decode(EncodeRaw({PNG_COLOR_TYPE_GRAY, 8, false, {}, {}}, 2, 1, {0x10, 0xF0})),
              (std::vector<std::uint32_t>{0xFF101010u, 0xFFF0F0F0u}));
    // Grey with alpha.
    EXPECT_EQ(Decode(EncodeRaw({PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {}, {}}, 1, 1, {0x80, 0x40})),
              (std::vector<std::uint32_t>{0x40808080u}));
    // One-bit grey: black and white.
    EXPECT_EQ(Decode(EncodeRaw({PNG_COLOR_TYPE_GRAY, 1, false, {}, {}}, 3, 1, {0b10100000})),
              (std::vector<std::uint32_t>{0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu}));
    // A palette with a transparent entry.
    EXPECT_EQ(Decode(EncodeRaw({PNG_COLOR_TYPE_PALETTE, 8, false, {{255, 0, 0}, {0, 255, 0}}, {255, 0}}, 2, 1, {0, 1})),
              (std::vector<std::uint32_t>{0xFFFF0000u, 0x0000FF00u}));
    // Sixteen bits per channel keep their high bytes.
    EXPECT_EQ(Decode(EncodeRaw({PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {}, {}}, 1, 1,
                               {0x12, 0x00, 0x34, 0x00, 0x56, 0x00, 0x78, 0x00})),
              (std::vector<std::uint32_t>{0x78123456u}));
    // Interlaced RGB: seven passes put back together.
    std::vector<std::uint8_t> raw;
    std::vector<std::uint32_t> expected;
    for (int i = 0; i < 9 * 9; ++i) {
        raw.insert(raw.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 3), 7});
        expected.push_back(0xFF000007u | static_cast<std::uint32_t>(i) << 16 | static_cast<std::uint32_t>(i * 3 & 0xFF) << 8);
    }
    EXPECT_EQ(Decode(EncodeRaw({PNG_COLOR_TYPE_RGB, 8, true, {}, {}}, 9, 9, raw)), expected);
}

TEST(PngFormats, TheChunkChecksumsGuardTheImageDataAndZlibsOwnIsNotNeeded) {
    std::vector<std::uint8_t> raw;
    for (int i = 0; i < 8 * 8; ++i) {
        raw.insert(raw.end(), {static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(i), 200});
    }
    const std::vector<std::uint8_t> good = EncodeRaw({PNG_COLOR_TYPE_RGB, 8, true, {}, {}}, 8, 8, raw);
    ASSERT_FALSE(good.empty());
    // The last IDAT ends with zlib's Adler-32 of the inflated data, then the chunk's CRC, then
    // the 12 bytes of IEND.
    const std::size_t adler = good.size() - 12 - 4 - 4;
    std::vector<std::uint8_t> wrongAdler = good;
    wrongAdler[adler + 3] ^= 0x5A;
    FixChunkCrcs(wrongAdler);
    EXPECT_EQ(Decode(wrongAdler), Decode(good));
    // Damage the chunk's CRC does not vouch for is refused.
    std::vector<std::uint8_t> stale = good;
    stale[adler + 3] ^= 0x5A;
    gfx::Image image;
    EXPECT_FALSE(gfx::DecodePng(stale.data(), stale.size(), image));
}

TEST(PngFormats, DamagedPicturesWithValidChecksumsNeverCrash) {
    std::vector<std::uint8_t> raw;
    for (int i = 0; i < 23 * 17; ++i) {
        raw.insert(raw.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 3), 9});
    }
    const std::vector<std::uint8_t> good = EncodeRaw({PNG_COLOR_TYPE_RGB, 8, true, {}, {}}, 23, 17, raw);
    ASSERT_FALSE(good.empty());
    std::uint32_t seed = 12345;
    int decoded = 0;
    for (int attempt = 0; attempt < 400; ++attempt) {
        std::vector<std::uint8_t> bad = good;
        for (int flips = 0; flips <= attempt % 4; ++flips) {
            seed = seed * 1103515245u + 12345u;
            bad[8 + (seed >> 8) % (bad.size() - 8)] ^= static_cast<std::uint8_t>(1u << ((seed >> 4) % 8));
        }
        FixChunkCrcs(bad);
        gfx::Image image;
        if (gfx::DecodePng(bad.data(), bad.size(), image)) {
            ++decoded;
            ASSERT_GT(image.width, 0);
            ASSERT_LE(image.width, gfx::kMaxImageSide);
            ASSERT_LE(image.height, gfx::kMaxImageSide);
            ASSERT_EQ(image.argb.size(), static_cast<std::size_t>(image.width) * image.height);
        } else {
            ASSERT_TRUE(image.argb.empty());
        }
    }
    // Some damage is harmless (a changed pixel), most is refused; both must have happened.
    EXPECT_GT(decoded, 0);
    EXPECT_LT(decoded, 400);
}

}  // namespace
