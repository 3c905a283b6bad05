#pragma once
#include "object/LimitNumber.h"
#include "object/Object2D.h"

// Whether a fade covers the screen with its colour (the corners' alphas rise to 255) or uncovers
// it (they fall to 0).
enum class FadeDirection : int { Uncover = 0, Cover = 1 };

// Which edge of the screen leads the wipe; the opposite edge trails.
enum class FadePattern : int { BottomLeads = 0, TopLeads = 1, RightLeads = 2, LeftLeads = 3 };

// A full-screen coloured quad whose four corners fade independently: a gradient wipe for scene
// changes.
class GradationFade : public Object2D {
public:
    // step = 2 * speed per frame.
    void Init(gfx::Device* device, int red, int green, int blue, FadeDirection direction, FadePattern pattern,
              int speed, int hold);
    // Restarts the corners for a new direction.
    void Reset(FadeDirection direction);
    // Draws one frame, then advances; true once complete and the hold has run out.
    bool Update();
    // The advancing half of Update, for frames that are not drawn; the same answer.
    bool Advance();

    FadeDirection direction = FadeDirection::Uncover;
    FadePattern pattern = FadePattern::BottomLeads;
    int step = 0;
    int hold = 0;  // frames to wait once complete
    // Alphas of vertex 1, 0, 2 and 3 in that order.
    LimitNumber corner[4];

private:
    void DrawCorners();
    void MoveCorners();
    bool Complete() const;
};
