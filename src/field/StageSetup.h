#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "field/StageTable.h"
#include "resource/WaveData.h"

class CFilePackEnemyParamLoad;

namespace field {

// Option bytes of the game request that change a stage's start.
constexpr int kOptionBigFurball = 1;
constexpr int kOptionRichStart = 2;
constexpr int kOptionModestStart = 3;
constexpr int kOptionCount = 7;

// What a stage starts with, read from the enemy data: the scene puts the waves on its gauge in
// this order (wave n is waves[n - 1]).
struct StageStart {
    StageInfo info;
    int splitDepth = 1;
    int points = 0;
    std::vector<waves::Wave> waves;
};

// Looks the stage's key up in the loaded enemy data. A key the data lacks gives 0 points and no
// waves (before the option bytes, which replace the points).
StageStart ReadStageStart(CFilePackEnemyParamLoad& loader, int stage, int difficulty,
                          const std::uint8_t (&options)[kOptionCount]);

// Opens the enemy data file (a missing file ends the game, as it cannot be played) and reads the
// stage's start from it.
StageStart SetUpStage(const std::string& path, int stage, int difficulty, const std::uint8_t (&options)[kOptionCount]);

}  // namespace field
