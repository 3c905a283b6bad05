#pragma once
#include "scene/game/BattleHud.h"
#include "scene/guide/AlertGuide.h"
#include "scene/guide/HoverGuide.h"
#include "scene/guide/MazeGuide.h"
#include "scene/guide/ShopGuide.h"
#include "scene/guide/SpeedButton.h"

class GameMain;
struct SceneContext;

namespace guide {

// The guides: a layer over the battle for players new to it, switched by the player (the
// context's guides flag). It reads the battle and draws; it writes nothing the battle reads and
// draws no random numbers, so a battle runs the same with it on or off, and off it draws nothing.
// Its one way out is the speed request the shell answers, as it answers Tab.
class BattleGuide {
public:
    void Init(gfx::Device* device);
    // Before the battle acts on this frame's input.
    void BeforeFrame(const GameMain& game, const SceneContext& input);
    // Where an enemy left the field and cost a life.
    void LifeLost(float x, float y);
    // How the HUD's counters stand out this frame; plain while the guides are off.
    BattleHud::Emphasis Emphasis(int lives) const;
    // Over the battle and its buttons, under the pause menu.
    void Draw(const GameMain& game, SceneContext& input);

    bool On() const { return on_; }
    const MazeGuide& Maze() const { return maze_; }
    const AlertGuide& Alerts() const { return alerts_; }
    const HoverGuide& Hover() const { return hover_; }

private:
    bool on_ = false;
    MazeGuide maze_;
    ShopGuide shop_;
    AlertGuide alerts_;
    HoverGuide hover_;
    SpeedButton speed_;
};

}  // namespace guide
