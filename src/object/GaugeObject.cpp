#include "object/GaugeObject.h"

#include "gfx/Device.h"
#include "object/Object.h"

void GaugeObject::Init(gfx::Device* newDevice, float newLeft, float newY, float newHeight, float newWidth,
                       float newMaxValue) {
    device = newDevice;
    left = newLeft;
    y = newY;
    height = newHeight;
    width = newWidth;
    maxValue = newMaxValue;
}

void GaugeObject::SetColour(int newRed, int newGreen, int newBlue, int newAlpha) {
    red = newRed;
    green = newGreen;
    blue = newBlue;
    alpha = newAlpha;
}

void GaugeObject::Draw(int) {
    // A zero maximum would divide by zero; such a bar has nothing meaningful to show.
    const float shown = maxValue != 0.0f ? width * value / maxValue : 0.0f;
    const float top = y - height * 0.5f;
    const float bottom = y + height * 0.5f;
    const std::uint32_t colour = PackColour(alpha, red, green, blue);
    vertices[0] = QuadVertex{left, top, 0.0f, 1.0f, colour, 0.0f, 0.0f};
    vertices[1] = QuadVertex{left + shown, top, 0.0f, 1.0f, colour, 1.0f, 0.0f};
    vertices[2] = QuadVertex{left, bottom, 0.0f, 1.0f, colour, 0.0f, 1.0f};
    vertices[3] = QuadVertex{left + shown, bottom, 0.0f, 1.0f, colour, 1.0f, 1.0f};
    device->SetFVF(kQuadVertexFormat);
    device->DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, vertices, sizeof(QuadVertex));
}
