#include "field/TankObject.h"

#include "resource/FileClass.h"

namespace {

constexpr int kPlotBands = 23;
constexpr int kFieldLow = 40;
constexpr int kFieldHigh = 408;

// The plot centre of the first band [40 + 16(k-1), 56 + 16(k-1)] holding the coordinate, or 0.
// A coordinate on a border belongs to the lower band.
int PlotCentreFor(int coordinate) {
    for (int k = 1; k <= kPlotBands; ++k) {
        const int low = kFieldLow + 16 * (k - 1);
        if (coordinate >= low && coordinate <= low + 16) {
            return 16 * (k + 2);
        }
    }
    return 0;
}

}  // namespace

void TankObject::Init(gfx::Device* device) {
    gfx::Texture* const colour = g_FileClass.FindTexture("color.png");
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    spriteA.Create(device, colour, fx, fy, 32.0f, 32.0f);
    spriteA.SetAnimation(165, 0, 0.0f, 0.2f, 0.0f, 0.0f, 0.2f, 0.0f);
    spriteB.Create(device, colour, fx, fy, 32.0f, 32.0f);
    spriteB.SetAnimation(165, 0, 0.3f, 0.4f, 0.0f, 0.0f, 0.2f, 0.0f);
    spriteC.Create(device, colour, fx, fy, 32.0f, 32.0f);
    spriteC.SetAnimation(255, 5, 0.1f, 0.2f, 0.0f, 0.8f, 0.9f, 0.0f);
    rangeCircle.Create(device, g_FileClass.FindTexture("spread.png"), fx, fy, 120.0f, 120.0f);
}

void TankObject::SnapToPlot(int mouseX, int mouseY) {
    const int plotX = PlotCentreFor(mouseX);
    const int plotY = PlotCentreFor(mouseY);
    if (plotX != 0 && plotY != 0) {
        SetPlot(plotX, plotY);
    }
}

bool TankObject::IsInField(int mouseX, int mouseY) {
    return mouseX >= kFieldLow && mouseX <= kFieldHigh && mouseY >= kFieldLow && mouseY <= kFieldHigh;
}

void TankObject::SetModeAndKind(std::uint32_t newMode, std::uint32_t newKind) {
    mode = newMode;
    kind = newKind;
}

void TankObject::SetPlot(int plotX, int plotY) {
    x = plotX;
    y = plotY;
}

void TankObject::SetRange(float radius) {
    const float diameter = radius > 0.0f ? 2.0f * radius : 0.0f;
    rangeCircle.SetSize(diameter, diameter);
}

void TankObject::Draw(int update) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    for (Object2D* sprite : {&spriteA, &spriteB, &spriteC, &rangeCircle}) {
        sprite->SetPosition(fx, fy);
    }
    Object2D* plot = nullptr;
    bool refused = false;
    switch (mode) {
        case kSelect:
        case kSelectReplace: plot = &spriteC; break;
        case kPlacing: plot = &spriteB; break;
        case kPlacingRefused:
            plot = &spriteA;
            refused = true;
            break;
        default: return;
    }
    plot->Draw(update);
    rangeCircle.green = refused ? 100 : 255;
    rangeCircle.blue = refused ? 100 : 255;
    rangeCircle.BuildVertices();
    rangeCircle.Draw(update);
}
