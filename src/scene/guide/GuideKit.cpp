#include "scene/guide/GuideKit.h"

#include "base/SceneContext.h"
#include "resource/FileClass.h"

namespace guide {

namespace {

constexpr float kDigitWidth = 11.0f;
constexpr float kDigitHeight = 13.0f;
constexpr float kDigitSpacing = -4.0f;

}  // namespace

void MakePlate(Object2D& plate, gfx::Device* device, Colour colour, int alpha) {
    plate.Create(device, nullptr, 0.0f, 0.0f, 1.0f, 1.0f);
    plate.red = colour.red;
    plate.green = colour.green;
    plate.blue = colour.blue;
    plate.alpha = alpha;
    plate.BuildVertices();
}

void DrawPlate(Object2D& plate, float x, float y, float width, float height, float angle) {
    plate.x = x;
    plate.y = y;
    plate.angle = angle;
    plate.SetSize(width, height);
    plate.Draw(0);
}

void MakeSmallNumber(SpriteNumber& number, gfx::Device* device, Colour colour) {
    number.Init(device, g_FileClass.FindTexture("number.png"), 0.0f, 0.0f, kDigitWidth, kDigitHeight, kDigitSpacing,
                0);
    number.SetColour(255, colour.red, colour.green, colour.blue);
    number.SetShadow(1.0f, 1.0f, 255, 0, 0, 0);
}

void DrawRightAligned(SpriteNumber& number, int value, float right, float y) {
    int digits = (value < 0 || number.showPlus != 0) ? 2 : 1;  // the sign takes a glyph
    for (int rest = value < 0 ? -value : value; rest >= 10; rest /= 10) {
        ++digits;
    }
    const float advance = number.digitWidth + number.spacing;
    number.SetPosition(right - number.digitWidth * 0.5f - advance * static_cast<float>(digits - 1), y);
    number.DrawIntShadowed(value, false);
}

bool MouseOver(const MouseChangeObject2D& button, const SceneContext& input) {
    const MouseChangeObject2D::Box box = button.HitBox();
    const auto x = static_cast<float>(input.mouseX);
    const auto y = static_cast<float>(input.mouseY);
    return x >= box.left && x <= box.left + box.width && y >= box.top && y <= box.top + box.height;
}

}  // namespace guide
