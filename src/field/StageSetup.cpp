#include "field/StageSetup.h"

#include "field/FilePackEnemyParamLoad.h"
#include "object/LevelGauge.h"
#include "resource/SaveFile.h"

namespace field {

namespace {

constexpr int kRichStartPoints = 10000;
constexpr int kModestStartPoints = 3000;

}  // namespace

StageStart ReadStageStart(CFilePackEnemyParamLoad& loader, const StageRequest& request) {
    const auto& options = request.options;
    StageStart start;
    start.info = LookUpStage(request.stage, request.difficulty, options[kOptionBigFurball] != 0);
    start.splitDepth = SplitDepthFor(request.difficulty);
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

StageStart SetUpStage(const std::string& path, CSaveFile& save, const StageRequest& request, LevelGauge& gauge) {
    const int bestScore = save.ReadBestScore(request.stage, request.difficulty, request.character, request.options);
    CFilePackEnemyParamLoad loader;
    loader.Open(path);
    StageStart start = ReadStageStart(loader, request);
    start.bestScore = bestScore;
    for (const waves::Wave& wave : start.waves) {
        gauge.AddWave(static_cast<int>(wave.kind), wave.health, static_cast<int>(wave.reward));
    }
    return start;
}

}  // namespace field
