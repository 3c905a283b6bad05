#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "field/StageTable.h"
#include "resource/SaveFile.h"
#include "resource/WaveData.h"

class CFilePackEnemyParamLoad;
class LevelGauge;

namespace field {

// Option bytes of the game request that change a stage's start.
constexpr int kOptionBigFurball = 1;
constexpr int kOptionRichStart = 2;
constexpr int kOptionModestStart = 3;

// The game request as far as a stage's start depends on it.
struct StageRequest {
    int stage = 0;
    int difficulty = 0;
    int character = 0;
    std::array<std::uint8_t, 7> options{};
    // Read-only for a battle played back from a replay: it leaves the player's records alone.
    CSaveFile::Access saves = CSaveFile::Access::ReadWrite;
};

// What a stage starts with. Wave n (1-based) is waves[n - 1].
struct StageStart {
    StageInfo info;
    int splitDepth = 1;
    int points = 0;
    int bestScore = 0;
    std::vector<waves::Wave> waves;
};

// Looks the stage's key up in the loaded enemy data. A key the data lacks gives 0 points and no
// waves (before the option bytes, which replace the points).
StageStart ReadStageStart(CFilePackEnemyParamLoad& loader, const StageRequest& request);

// The whole start of a stage: the best score so far, then the enemy data file (a missing file
// ends the game, which cannot be played without it), its points and its waves, which are put
// on the wave gauge in file order.
StageStart SetUpStage(const std::string& path, CSaveFile& save, const StageRequest& request, LevelGauge& gauge);

}  // namespace field
