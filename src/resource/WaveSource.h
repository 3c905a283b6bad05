#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resource/WaveData.h"

// The readable form of the wave data, one statement per line:
//
//   # comments run to the end of the line; blank lines are ignored
//   stage rouka_easy     # starts a stage block (key of at most 31 characters)
//   points 300           # the stage's starting points (0 when left out)
//   wave 1 120 3         # one wave: kind id, health, reward
//
// Waves keep their order; a stage may have none.
namespace waves {

// Parses the text into stages in source order. False on the first error, with a message that
// names the line ("line 12: ..."). Waves whose kind id makes no enemy are accepted (the game
// plays them as empty waves) but noted in warnings, also by line.
bool ParseWaveSource(std::string_view text, std::vector<Stage>& stages, std::string& error,
                     std::vector<std::string>& warnings);

// True for keys the source can hold: 1 to 31 characters, none of them a space, '#' or a control code.
bool IsWritableStageKey(std::string_view key);

// The stages as source text that parses back to the same stages (all keys must be writable). Each line of the header
// becomes a comment at the top.
std::string FormatWaveSource(const std::vector<Stage>& stages, std::string_view header);

}  // namespace waves
