#include "FuzzFile.h"
#include "field/FilePackEnemyParamLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteFuzzInput("wbk_a.dat", data, size);
    CFilePackEnemyParamLoad loader;
    if (!loader.TryOpen(path)) {
        std::abort();
    }
    for (const auto& [key, stage] : loader.Stages()) {
        const int points = loader.StartPoints(key);
        if (points < 0 || points > 99999) {
            std::abort();
        }
        std::uint32_t kind = 0;
        std::int32_t health = 0;
        std::uint32_t reward = 0;
        std::size_t handedOut = 0;
        while (!loader.NextWave(key, kind, health, reward)) {
            ++handedOut;
        }
        if (handedOut != loader.Waves().at(key)->size() || handedOut > stage.recordCount) {
            std::abort();
        }
    }
    return 0;
}
