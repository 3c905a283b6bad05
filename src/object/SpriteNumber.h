#pragma once
#include <cstdint>

#include "gfx/QuadVertex.h"

namespace gfx {
class Device;
class Texture;
}  // namespace gfx

// Draws integers and fixed-point reals glyph by glyph from a digit sheet of 8 x 2 cells: digits
// 0..7 on the top row, then 8, 9, plus, minus, point, suffix and placeholder.
class SpriteNumber {
public:
    virtual ~SpriteNumber() = default;

    void Init(gfx::Device* device, gfx::Texture* texture, float x, float y, float digitWidth, float digitHeight,
              float spacing, int minDigits);
    void SetPosition(float newX, float newY);
    void SetSize(float newDigitWidth, float newDigitHeight);
    void SetShowPlus(bool flag);
    void SetShowSuffix(bool flag);
    void SetShadow(float dx, float dy, int alpha, int red, int green, int blue);
    void SetColour(int alpha, int red, int green, int blue);

    // Decimals are truncated, not rounded. placeholder draws the placeholder glyph instead.
    virtual void DrawReal(double value, int decimals, bool placeholder);
    virtual void DrawInt(int value, bool placeholder);
    // The shadow copy first, offset and in the shadow colour, then the number itself.
    virtual void DrawRealShadowed(double value, int decimals, bool placeholder);
    virtual void DrawIntShadowed(int value, bool placeholder);

    float x = 0.0f;  // centre of the leftmost glyph
    float y = 0.0f;
    QuadVertex vertices[4] = {};
    gfx::Texture* texture = nullptr;  // borrowed
    gfx::Device* device = nullptr;
    float digitWidth = 0.0f;
    float digitHeight = 0.0f;
    float spacing = 0.0f;  // negative values let glyphs overlap
    int minDigits = 0;
    float shadowDx = 0.0f;
    float shadowDy = 0.0f;
    std::uint32_t shadowColour = 0x00FF0000u;
    std::uint8_t showPlus = 0;
    std::uint8_t showSuffix = 0;

    // Sheet cells besides the digits 0..9.
    enum Glyph : int { kPlus = 10, kMinus, kPoint, kSuffix, kPlaceholder };

private:
    static constexpr int kMaxSlots = 48;
    struct Slots {
        int glyph[kMaxSlots];
        int count;
    };

    void DrawSlots(const Slots& slots);
    void DrawPlaceholder();
    void DrawGlyph(int glyph, float left, float right);
    template <typename Draw>
    void DrawWithShadow(Draw draw);
};
