#pragma once
#include <optional>
#include <ostream>
#include <string>

#include "app/ReplayFile.h"
#include "field/StageSetup.h"
#include "scene/bot/FullFlow.h"
#include "scene/bot/HeadlessBattle.h"

namespace gfx {
class Device;
}

// The autoplayer's battles as the game's own replays, played and played back headless and
// undrawn in this process: the same header, random states and input the game records for a
// player's battle, so `velmoria --replay` plays them back too.

struct RecordedBattle {
    bot::BattleOutcome outcome;
    Replay replay;
};

// Plays one battle with the strategy (see bot::PlayBattle) and records it.
RecordedBattle PlayAndRecord(gfx::Device* device, const field::StageRequest& request, const char* strategy,
                             std::ostream* progress, int frameLimit);

// Plays the character's battle into full flow (see bot::FullFlow) and records it up to the first
// frame that shows all of it, which is then the replay's last. Null when the battle did not get
// there within the frames, with what the last frame lacked.
std::optional<RecordedBattle> PlayIntoFullFlow(gfx::Device* device, int character, bot::FullFlow::Ending ending,
                                               int frameLimit, std::string& lacking);

// Plays the replay's recorded frames back with its recorded input, read through the system
// devices, and says how the battle stood after the last.
bot::BattleOutcome PlayBack(gfx::Device* device, const Replay& replay);

// What a replay's header records of an outcome.
Replay::Result ResultOf(const bot::BattleOutcome& outcome);
