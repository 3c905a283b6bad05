#pragma once
#include <cstdint>

#include "object/Object2D.h"

namespace gfx {
class Device;
}

// The placement cursor: the 32 x 32 plot under the mouse, how it is shown and the range circle of
// the tower that would stand there. The character controller owns it and sets its mode and kind.
class TankObject {
public:
    enum Mode : std::uint32_t {
        kHidden = 0,
        kSelect = 1,
        kSelectReplace = 2,
        kEnemyLocked = 3,
        kPlacing = 4,
        kPlacingRefused = 5,
    };

    // Plot centres run from the first to the last on both axes; plots side by side stand
    // kPlotSize apart.
    static constexpr int kFirstPlotCentre = 48;
    static constexpr int kLastPlotCentre = 400;
    static constexpr int kPlotSize = 32;

    virtual ~TankObject() = default;

    void Init(gfx::Device* device);
    // Moves the plot to the band under the mouse; outside the field it stays where it was.
    void SnapToPlot(int mouseX, int mouseY);
    static bool IsInField(int mouseX, int mouseY);

    void SetMode(std::uint32_t newMode) { mode = newMode; }
    void SetModeAndKind(std::uint32_t newMode, std::uint32_t newKind);
    void SetPlot(int plotX, int plotY);
    // The circle's diameter is twice the radius; a negative radius shows no circle.
    void SetRange(float radius);

    virtual void Draw(int update);

    int x = 48;
    int y = 48;
    Object2D spriteA;  // refused plot
    Object2D spriteB;  // acceptable plot
    Object2D spriteC;  // selected tower, pulsing
    Object2D rangeCircle;
    std::uint32_t mode = kHidden;
    std::uint32_t kind = 0;
};
