#pragma once
#include "gfx/QuadVertex.h"

namespace gfx {
class Device;
}

// A solid bar whose length follows a value (enemy health bars). It draws with whatever texture is
// bound; owners draw it after sprites, which leave stage 0 empty, so it shows its plain colour.
class GaugeObject {
public:
    virtual ~GaugeObject() = default;

    void Init(gfx::Device* device, float left, float y, float height, float width, float maxValue);
    void SetColour(int red, int green, int blue, int alpha);
    // update is ignored: a bar has nothing to animate.
    virtual void Draw(int update);

    gfx::Device* device = nullptr;
    QuadVertex vertices[4] = {};
    float value = 1.0f;  // written by the owner every frame
    float left = 0.0f;
    float width = 0.0f;  // length at value == maxValue
    float y = 0.0f;      // centre line
    float height = 0.0f;
    float maxValue = 0.0f;
    int red = 255;
    int green = 255;
    int blue = 255;
    int alpha = 255;
};
