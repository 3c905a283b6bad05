#pragma once
#include <deque>
#include <memory>
#include <optional>
#include <string_view>

#include "field/FieldGrid.h"

namespace bot {

class BattleView;

// One input a player gives in a frame: the mouse moved, the left button clicked where the
// mouse is, or a watched key pressed.
struct Action {
    enum class Kind { Move, ClickLeft, Key };
    Kind kind;
    int x = 0;
    int y = 0;
    int key = 0;  // a watched-key index of the scene context
};

// What a strategy has decided, as the inputs that carry it out, given one a frame.
class Orders {
public:
    // Chooses the kind in the shop by its key and clicks the plot.
    void Place(int kind, field::PixelPos plot);
    // Clicks the kind's button in the shop, then the plot.
    void Buy(field::PixelPos shopButton, field::PixelPos plot);
    // Selects the tower by clicking it, upgrades it once, and drops the selection.
    void Upgrade(field::PixelPos tower);
    void Press(int key);
    // Clicks the enemy standing there, so that every tower in range aims at it.
    void LockOn(field::PixelPos enemy) { Click(enemy); }
    // Moves the mouse there and clicks: selects a tower, say.
    void Click(field::PixelPos where);
    void MoveTo(field::PixelPos where);

    bool Empty() const { return actions_.empty(); }
    std::optional<Action> Next();

private:
    std::deque<Action> actions_;
};

// A way of playing. Asked again whenever the orders it gave have all been carried out.
class Strategy {
public:
    virtual ~Strategy() = default;
    virtual void Think(const BattleView& view, Orders& orders) = 0;

protected:
    // True while the stage is still being prepared; the first time, the stage is started with its
    // key (once only: pressed again, the key would call the next wave early).
    bool Preparing(const BattleView& view, Orders& orders);

private:
    bool started_ = false;
};

// "plain": basic towers beside the path, then upgrades; "maze": a maze of basic towers, the
// character's special towers, upgrades and lock-on. Null for an unknown name.
std::unique_ptr<Strategy> MakeStrategy(std::string_view name);

}  // namespace bot
