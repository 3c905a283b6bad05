#pragma once
#include <optional>
#include <vector>

#include "field/FieldGrid.h"

class GameMain;
class Battlefield;

namespace bot {

// What a player can see of a battle, read from the scene and never changed through it: the
// autoplayer decides from this alone and acts through input events.
class BattleView {
public:
    struct EnemySight {
        float x;
        float y;
        float health;
        bool flying;
    };
    struct TowerSight {
        int kind;
        int x;
        int y;
        int level;
        int upgradeCost;
        bool busy;
        bool atWork;  // its shots, glow, spell or light show in the frame
    };

    explicit BattleView(const GameMain& game) : game_(game) {}

    int Character() const;
    int Points() const;
    int Lives() const;
    // The wave on the gauge's mark, from 1 (0 in preparation), and the stage's number of waves.
    int Wave() const;
    int WaveCount() const;
    bool Preparing() const;
    bool Cleared() const;
    bool Failed() const;
    bool MenuOpen() const;
    // The plot of the selected tower, whose range circle and side panel show; none when none is.
    std::optional<field::PixelPos> SelectedTower() const;
    int StageScore() const;

    std::vector<EnemySight> Enemies() const;
    std::vector<TowerSight> Towers() const;
    int Price(int kind) const;
    int Range(int kind) const;
    // Where a click buys the kind in the shop: the middle of its button.
    field::PixelPos ShopButton(int kind) const;
    // A plot the player may build on now (open ground, no tower, no enemy close by).
    bool PlotFree(int x, int y) const;
    const Battlefield& Field() const;

private:
    const GameMain& game_;
};

}  // namespace bot
