#pragma once
#include "object/Object2D.h"
#include "object/SpriteNumber.h"

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

    void Init(gfx::Device* device, int difficulty);
    void Draw(const Figures& figures);

private:
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
