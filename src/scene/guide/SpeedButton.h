#pragma once
#include <array>

#include "object/Object2D.h"
#include "tower/PanelText.h"

class DirectSound;
struct SceneContext;

namespace guide {

// A button beside the menu button that shows the battle's speed and, clicked, asks the shell for
// the next one, as Tab does: so that a player who uses only the mouse finds fast-forward.
class SpeedButton {
public:
    static constexpr float kX = 516.0f;
    static constexpr float kY = 16.0f;
    static constexpr float kWidth = 30.0f;
    static constexpr float kHeight = 20.0f;

    void Init(gfx::Device* device);
    // Draws the button; a click on it sets the context's speed request.
    void Frame(SceneContext& input);
    static bool Contains(int x, int y);

private:
    Object2D border_;
    Object2D face_;
    std::array<PanelText, 3> captions_;  // x1, x2, x4
    DirectSound* clickSound_ = nullptr;
};

}  // namespace guide
