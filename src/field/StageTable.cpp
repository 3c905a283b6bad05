#include "field/StageTable.h"

#include <array>

namespace field {

namespace {

struct StageRow {
    const char* prefix;
    const char* background;
    const char* music;
};

constexpr std::array<StageRow, kStageCount> kStages{{
    {"rouka", "stage_velkra_rouka.png", "bgm_marsh.wav"},
    {"lib", "stage_velkra_library.png", "bgm_lorn.wav"},
    {"sky", "stage_sky.png", "bgm_sky.wav"},
}};

constexpr std::array<const char*, kDifficultyCount> kDifficultyNames{"easy", "normal", "hard", "lunatic"};

}  // namespace

StageInfo LookUpStage(int stage, int difficulty, bool bigFurball) {
    const bool knownStage = stage >= 0 && stage < kStageCount;
    const bool knownDifficulty = difficulty >= 0 && difficulty < kDifficultyCount;
    const StageRow& row = kStages[knownStage ? stage : 0];

    StageInfo info;
    info.background = row.background;
    if (knownStage) {
        info.music = row.music;
    }
    if (knownStage && knownDifficulty) {
        info.key = std::string(bigFurball ? "bigwool" : row.prefix) + "_" + kDifficultyNames[difficulty];
    }
    info.overlay = difficulty == kEasy ? "fieldwall_easy.png" : "fieldwall.png";
    info.routeCount = RouteCountFor(difficulty);
    return info;
}

int RouteCountFor(int difficulty) { return difficulty == kEasy ? 1 : 2; }

int SplitDepthFor(int difficulty) { return difficulty == kEasy ? 1 : 2; }

}  // namespace field
