#pragma once
#include <memory>

#include "object/Object2D.h"
#include "object/TextTexture.h"

namespace gfx {
class Device;
}

// How many frames the battle runs per frame shown: Tab cycles x1, x2, x4 and back.
enum class BattleSpeed { Normal = 1, Double = 2, Quadruple = 4 };

BattleSpeed NextSpeed(BattleSpeed speed);
inline int FramesPerShown(BattleSpeed speed) { return static_cast<int>(speed); }

// The small "x2" / "x4" sign the battle shows while it runs fast. It sits in the frame's top
// left corner, on the border above the field, where the battle draws nothing of its own.
class SpeedBadge {
public:
    void Init(gfx::Device* device);
    // Draws the sign for the speed; nothing at x1.
    void Draw(gfx::Device* device, BattleSpeed speed);

private:
    void Print(BattleSpeed speed);

    TextTexture text_;
    Object2D sprite_;
    BattleSpeed printed_ = BattleSpeed::Normal;
    bool ready_ = false;
};
