#include "object/SpriteNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gfx/Device.h"
#include "object/Object.h"

namespace {

// Enough for every number a HUD shows; larger magnitudes are clamped rather than overflowing.
constexpr double kLargestInteger = 999999999999.0;
constexpr int kMaxDecimals = 15;

int CountDigits(std::uint64_t magnitude) {
    int digits = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++digits;
    }
    return digits;
}

double PowerOfTen(int exponent) {
    // Repeated squaring keeps the error of large powers small.
    double result = 1.0;
    double base = 10.0;
    for (int n = std::abs(exponent); n > 0; n >>= 1) {
        if (n & 1) {
            result *= base;
        }
        base *= base;
    }
    return exponent < 0 ? 1.0 / result : result;
}

}  // namespace

void SpriteNumber::Init(gfx::Device* newDevice, gfx::Texture* newTexture, float newX, float newY,
                        float newDigitWidth, float newDigitHeight, float newSpacing, int newMinDigits) {
    device = newDevice;
    texture = newTexture;
    x = newX;
    y = newY;
    digitWidth = newDigitWidth;
    digitHeight = newDigitHeight;
    spacing = newSpacing;
    minDigits = std::clamp(newMinDigits, 0, kMaxSlots - 2);
    for (QuadVertex& vertex : vertices) {
        vertex = QuadVertex{0.0f, 0.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 0.0f};
    }
}

void SpriteNumber::SetPosition(float newX, float newY) {
    x = newX;
    y = newY;
}

void SpriteNumber::SetSize(float newDigitWidth, float newDigitHeight) {
    digitWidth = newDigitWidth;
    digitHeight = newDigitHeight;
}

void SpriteNumber::SetShowPlus(bool flag) { showPlus = flag ? 1 : 0; }

void SpriteNumber::SetShowSuffix(bool flag) { showSuffix = flag ? 1 : 0; }

void SpriteNumber::SetShadow(float dx, float dy, int alpha, int red, int green, int blue) {
    shadowDx = dx;
    shadowDy = dy;
    shadowColour = PackColour(alpha, red, green, blue);
}

void SpriteNumber::SetColour(int alpha, int red, int green, int blue) {
    const std::uint32_t colour = PackColour(alpha, red, green, blue);
    for (QuadVertex& vertex : vertices) {
        vertex.diffuse = colour;
    }
}

void SpriteNumber::DrawGlyph(int glyph, float left, float right) {
    // Digits 0..7 fill the top row; everything from 8 on continues on the bottom row.
    const int column = glyph % 8;
    const int row = glyph / 8;
    const float u0 = static_cast<float>(column) / 8.0f;
    const float u1 = static_cast<float>(column + 1) / 8.0f;
    const float v0 = static_cast<float>(row) * 0.5f;
    const float v1 = v0 + 0.5f;
    const float top = y - digitHeight * 0.5f;
    const float bottom = y + digitHeight * 0.5f;
    const float xs[4] = {left, right, left, right};
    const float ys[4] = {top, top, bottom, bottom};
    const float us[4] = {u0, u1, u0, u1};
    const float vs[4] = {v0, v0, v1, v1};
    for (int k = 0; k < 4; ++k) {
        vertices[k].x = xs[k];
        vertices[k].y = ys[k];
        vertices[k].u = us[k];
        vertices[k].v = vs[k];
    }
    device->DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, vertices, sizeof(QuadVertex));
}

void SpriteNumber::DrawPlaceholder() {
    device->SetFVF(kQuadVertexFormat);
    device->SetTexture(0, texture);
    DrawGlyph(kPlaceholder, x - digitWidth * 0.25f, x + digitWidth * 0.75f);
    device->SetTexture(0, nullptr);
}

void SpriteNumber::DrawSlots(const Slots& slots) {
    device->SetFVF(kQuadVertexFormat);
    device->SetTexture(0, texture);
    for (int p = 0; p < slots.count; ++p) {
        const float left = x - digitWidth * 0.5f + static_cast<float>(p) * (digitWidth + spacing);
        DrawGlyph(slots.glyph[p], left, left + digitWidth);
    }
    device->SetTexture(0, nullptr);
}

void SpriteNumber::DrawInt(int value, bool placeholder) {
    if (placeholder) {
        DrawPlaceholder();
        return;
    }
    std::uint64_t magnitude = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(value)));
    const bool negative = value < 0;
    const bool sign = negative || showPlus;
    const int digits = std::min(std::max(CountDigits(magnitude), minDigits), kMaxSlots - 2);
    Slots slots{};
    slots.count = digits + (sign ? 1 : 0) + (showSuffix ? 1 : 0);
    int p = slots.count - 1;
    if (showSuffix) {
        slots.glyph[p--] = kSuffix;
    }
    for (; p >= 0; --p) {
        slots.glyph[p] = static_cast<int>(magnitude % 10);
        magnitude /= 10;
    }
    if (sign) {
        slots.glyph[0] = negative ? kMinus : kPlus;
    }
    DrawSlots(slots);
}

void SpriteNumber::DrawReal(double value, int decimals, bool placeholder) {
    if (placeholder) {
        DrawPlaceholder();
        return;
    }
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    decimals = std::min(decimals, kMaxDecimals);
    const double integral = std::trunc(std::clamp(value, -kLargestInteger, kLargestInteger));
    const double fraction = std::fabs(value - std::trunc(value));
    std::uint64_t fractionDigits = static_cast<std::uint64_t>(fraction * PowerOfTen(decimals));
    std::uint64_t integerDigits = static_cast<std::uint64_t>(std::fabs(integral));
    const bool negative = value < 0.0;
    const bool sign = negative || showPlus;
    const int rightSlots = std::max(decimals, 0);

    Slots slots{};
    slots.count = 1 + CountDigits(integerDigits) + (sign ? 1 : 0) + rightSlots + (showSuffix ? 1 : 0);
    int p = slots.count - 1;
    if (showSuffix) {
        slots.glyph[p--] = kSuffix;
    }
    for (int d = 0; d < rightSlots; ++d) {
        slots.glyph[p--] = static_cast<int>(fractionDigits % 10);
        fractionDigits /= 10;
    }
    slots.glyph[p--] = kPoint;
    for (; p >= 0; --p) {
        slots.glyph[p] = static_cast<int>(integerDigits % 10);
        integerDigits /= 10;
    }
    if (sign) {
        slots.glyph[0] = negative ? kMinus : kPlus;
    }
    DrawSlots(slots);
}

template <typename Draw>
void SpriteNumber::DrawWithShadow(Draw draw) {
    const std::uint32_t colour = vertices[0].diffuse;
    x += shadowDx;
    y += shadowDy;
    for (QuadVertex& vertex : vertices) {
        vertex.diffuse = shadowColour;
    }
    draw();
    x -= shadowDx;
    y -= shadowDy;
    for (QuadVertex& vertex : vertices) {
        vertex.diffuse = colour;
    }
    draw();
}

void SpriteNumber::DrawRealShadowed(double value, int decimals, bool placeholder) {
    DrawWithShadow([&] { DrawReal(value, decimals, placeholder); });
}

void SpriteNumber::DrawIntShadowed(int value, bool placeholder) {
    DrawWithShadow([&] { DrawInt(value, placeholder); });
}
