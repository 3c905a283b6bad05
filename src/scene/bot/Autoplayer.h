#pragma once
#include <memory>
#include <optional>
#include <ostream>

#include "scene/bot/Strategy.h"

class GameMain;

namespace bot {

// Plays a battle with a strategy: after each frame it looks at the scene and gives the input for
// the next frame, one action a frame, as a player's mouse and keys would. Writes one line of
// progress per wave released, and one when the battle ends.
class Autoplayer {
public:
    Autoplayer(std::unique_ptr<Strategy> strategy, std::ostream* progress);

    std::optional<Action> Step(const GameMain& game);

private:
    void Report(const GameMain& game);

    std::unique_ptr<Strategy> strategy_;
    Orders orders_;
    std::ostream* progress_;
    int reportedWave_ = 0;
    bool reportedEnd_ = false;
};

}  // namespace bot
