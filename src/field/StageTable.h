#pragma once
#include <string>

namespace field {

constexpr int kStageCount = 3;
constexpr int kLibraryStage = 1;
constexpr int kDifficultyCount = 4;
constexpr int kEasy = 0;
constexpr int kLunatic = kDifficultyCount - 1;

// What a stage and difficulty choose: the waves' key in the enemy data, the pictures and music.
struct StageInfo {
    // Empty for a stage or difficulty out of range: no waves are found under it.
    std::string key;
    std::string background;
    // Empty when the stage is unknown; the scene then keeps its preparation music.
    std::string music;
    std::string overlay;
    int routeCount = 1;
};

StageInfo LookUpStage(int stage, int difficulty, bool bigFurball);

// Easy fields have only the west-to-east route; every other difficulty adds north to south.
int RouteCountFor(int difficulty);

// The big furball's generations of splitting on this difficulty.
int SplitDepthFor(int difficulty);

}  // namespace field
