#pragma once
#include <memory>
#include <optional>
#include <ostream>

#include "scene/bot/Strategy.h"

class GameMain;

namespace bot {

// The autoplayer's hands on the system mouse and keyboard. A click or a key goes down in one
// frame and up in the next, as a tap does; a press of what was down in the frame before waits one
// frame, so that the battle sees it go up and down again instead of held.
class Hands {
public:
    bool Busy() const { return next_.has_value(); }
    void Take(const std::optional<Action>& action) { next_ = action; }
    // Delivers this frame's events to the devices.
    void Act();

private:
    std::optional<Action> next_;
    std::optional<Action> down_;
};

// Plays a battle with a strategy: before each frame it looks at the scene and gives the input for
// the frame through the system mouse and keyboard, one action a frame, as a player's hands would.
// Writes one line of progress per wave released, and one when the battle ends.
class Autoplayer {
public:
    Autoplayer(std::unique_ptr<Strategy> strategy, std::ostream* progress);

    // The input for the coming frame, delivered to the devices.
    void Act(const GameMain& game);
    // The progress lines due (Act writes them too): the battle's end when it is over.
    void Report(const GameMain& game);

private:
    std::unique_ptr<Strategy> strategy_;
    Orders orders_;
    Hands hands_;
    std::ostream* progress_;
    int reportedWave_ = 0;
    bool reportedEnd_ = false;
};

}  // namespace bot
