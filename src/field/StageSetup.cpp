#include "field/StageSetup.h"

#include "field/FilePackEnemyParamLoad.h"

namespace field {

namespace {

constexpr int kRichStartPoints = 10000;
constexpr int kModestStartPoints = 3000;

}  // namespace

StageStart ReadStageStart(CFilePackEnemyParamLoad& loader, int stage, int difficulty,
                          const std::uint8_t (&options)[kOptionCount]) {
    StageStart start;
    start.info = LookUpStage(stage, difficulty, options[kOptionBigFurball] != 0);
    start.splitDepth = SplitDepthFor(difficulty);
    start.points = loader.StartPoints(start.info.key);
    if (options[kOptionRichStart] != 0) {
        start.points = kRichStartPoints;
    } else if (options[kOptionModestStart] != 0) {
        start.points = kModestStartPoints;
    }
    waves::Wave wave;
    while (!loader.NextWave(start.info.key, wave.kind, wave.health, wave.reward)) {
        start.waves.push_back(wave);
    }
    return start;
}

StageStart SetUpStage(const std::string& path, int stage, int difficulty, const std::uint8_t (&options)[kOptionCount]) {
    CFilePackEnemyParamLoad loader;
    loader.Open(path);
    return ReadStageStart(loader, stage, difficulty, options);
}

}  // namespace field
