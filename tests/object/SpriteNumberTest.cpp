#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "object/SpriteNumber.h"
#include "support/RecordingDevice.h"

namespace {

// Reads back the glyphs drawn as text: digits, '+', '-', '.', 's' (suffix), '#' (placeholder).
std::string Glyphs(const RecordingDevice& device) {
    static const char kNames[] = "0123456789+-.s#";
    std::string text;
    for (const RecordingDevice::Draw& draw : device.draws) {
        const int column = static_cast<int>(std::lround(draw.vertices[0].u * 8.0f));
        const int row = static_cast<int>(std::lround(draw.vertices[0].v * 2.0f));
        const int glyph = row * 8 + column;
        text += glyph < 15 ? kNames[glyph] : '?';
    }
    return text;
}

class SpriteNumberTest : public ::testing::Test {
protected:
    void SetUp() override { number.Init(&device, &sheet, 100.0f, 50.0f, 20.0f, 24.0f, -8.0f, 0); }

    std::string Int(int value) {
        device.draws.clear();
        number.DrawInt(value, false);
        return Glyphs(device);
    }
    std::string Real(double value, int decimals) {
        device.draws.clear();
        number.DrawReal(value, decimals, false);
        return Glyphs(device);
    }

    RecordingDevice device;
    gfx::Texture sheet{256, 64};
    SpriteNumber number;
};

TEST_F(SpriteNumberTest, IntegersFillTheirSlots) {
    EXPECT_EQ(Int(0), "0");
    EXPECT_EQ(Int(-5), "-5");
    EXPECT_EQ(Int(1234567890), "1234567890");
    EXPECT_EQ(Int(-2147483647 - 1), "-2147483648");
    number.SetShowPlus(true);
    EXPECT_EQ(Int(7), "+7");
    EXPECT_EQ(Int(-7), "-7");
    number.SetShowPlus(false);
    number.SetShowSuffix(true);
    EXPECT_EQ(Int(120), "120s");
    number.SetShowSuffix(false);
    number.minDigits = 3;
    EXPECT_EQ(Int(7), "007");
}

TEST_F(SpriteNumberTest, RealsAreTruncated) {
    EXPECT_EQ(Real(12.5, 1), "12.5");
    EXPECT_EQ(Real(3.14159, 2), "3.14");
    EXPECT_EQ(Real(-2.25, 1), "-2.2");
    EXPECT_EQ(Real(-0.5, 1), "-0.5");
    EXPECT_EQ(Real(3.05, 2), "3.04");  // 3.05 is stored just below itself
    EXPECT_EQ(Real(1.5, 0), "1.");
    number.SetShowPlus(true);
    EXPECT_EQ(Real(2.0, 1), "+2.0");
    // Nonsense input stays on the sheet instead of overflowing.
    EXPECT_EQ(Real(NAN, 1), "+0.0");
    EXPECT_EQ(Real(1e30, 0).size(), 14u);
}

TEST_F(SpriteNumberTest, SlotsStepByWidthPlusSpacing) {
    Int(-5);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[0].x, 90.0f);
    EXPECT_FLOAT_EQ(device.draws[1].vertices[0].x, 102.0f);
    EXPECT_FLOAT_EQ(device.draws[1].vertices[3].x, 122.0f);
    EXPECT_FLOAT_EQ(device.draws[1].vertices[3].y, 62.0f);
    EXPECT_EQ(device.draws[0].texture, &sheet);
    EXPECT_EQ(device.boundTexture, nullptr);

    device.draws.clear();
    number.DrawInt(42, true);
    EXPECT_EQ(Glyphs(device), "#");
    EXPECT_FLOAT_EQ(device.draws[0].vertices[0].x, 95.0f);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[1].x, 115.0f);
}

TEST_F(SpriteNumberTest, ShadowIsDrawnFirstAndColourRestored) {
    number.SetColour(255, 245, 255, 0);
    number.SetShadow(0.6f, 2.0f, 255, 0x78, 0x78, 0x78);
    number.DrawIntShadowed(3, false);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].vertices[0].diffuse, 0xFF787878u);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[0].y, 40.0f);
    EXPECT_EQ(device.draws[1].vertices[0].diffuse, 0xFFF5FF00u);
    EXPECT_FLOAT_EQ(device.draws[1].vertices[0].y, 38.0f);
    EXPECT_FLOAT_EQ(number.x, 100.0f);
}

}  // namespace
