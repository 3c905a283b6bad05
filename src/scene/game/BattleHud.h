#pragma once
#include "object/Object2D.h"
#include "object/SpriteNumber.h"

// How the HUD's counters stand out this frame; the default is the plain HUD.
struct HudEmphasis {
    float livesOffsetX = 0.0f;
    bool livesAlarm = false;   // the lives in red
    bool pointsAlarm = false;  // the points in red
};

// The fixed side of the battle screen: the wave frame under the gauge, the side panel with the
// lives and points, the score labels and scores, and the difficulty label.
class BattleHud {
public:
    struct Figures {
        int lives;
        int points;
        int bestScore;
        int itemScore;
        int bonusScore;
    };

    using Emphasis = HudEmphasis;

    void Init(gfx::Device* device, int difficulty);
    void Draw(const Figures& figures, const Emphasis& emphasis = {});

private:
    static void DrawCounter(SpriteNumber& counter, int value, float x, bool alarm);

    gfx::Device* device_ = nullptr;
    Object2D waveFrame_;
    Object2D sidePanel_;
    Object2D lifeIcon_;
    Object2D pointsIcon_;
    Object2D bestLabel_;
    Object2D scoreLabel_;
    Object2D difficultyLabel_;
    SpriteNumber lives_;
    SpriteNumber points_;
    SpriteNumber best_;
    SpriteNumber item_;
    SpriteNumber bonus_;
};
