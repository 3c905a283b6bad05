#pragma once
#include <ostream>

#include "scene/bot/Strategy.h"
#include "field/StageSetup.h"

struct SceneContext;

namespace gfx {
class Device;
}

namespace bot {

// The scene's input for one frame carrying the action: the mouse moved, the left button down, or
// the key down. Presses last one frame; the caller clears them after the frame ran.
void GiveAction(SceneContext& context, const Action& action);

struct BattleOutcome {
    bool cleared = false;
    bool finished = false;  // cleared or lost within the frame limit
    int wave = 0;
    int waveCount = 0;
    int lives = 0;
    int points = 0;
    int score = 0;  // what a cleared stage records: lives x 50 + bonus + items
    int frames = 0;
};

// Plays one battle to its end with the strategy as fast as the machine runs, on the device the
// packs were loaded for (one that draws nothing, normally). The wave data must be readable from
// the working directory. Progress, one line a wave, goes to the stream when there is one.
BattleOutcome PlayBattle(gfx::Device* device, const field::StageRequest& request, const char* strategy,
                         std::ostream* progress, int frameLimit);

}  // namespace bot
