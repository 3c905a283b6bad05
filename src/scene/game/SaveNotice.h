#pragma once
#include "object/Object2D.h"
#include "tower/PanelText.h"

namespace gfx {
class Device;
}

// Tells the player, in a dark band over the foot of the field, that the battle's result could
// not be written to the save file. Once shown it stays until the battle is left, below the
// result window and the pause menu's items, so it is seen before the player goes.
class SaveNotice {
public:
    void Init(gfx::Device* device);
    void Show() { shown_ = true; }
    bool Shown() const { return shown_; }
    // Draws nothing until shown.
    void Draw();

private:
    gfx::Device* device_ = nullptr;
    Object2D band_;
    PanelText text_;
    bool shown_ = false;
};
