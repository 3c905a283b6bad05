#include <cstdlib>
#include <string_view>

#include "resource/WaveSource.h"

// Whatever parses must format back to text that parses to the same stages and must compile.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<waves::Stage> stages;
    std::string error;
    std::vector<std::string> warnings;
    if (!waves::ParseWaveSource(text, stages, error, warnings)) {
        if (error.rfind("line ", 0) != 0) {
            std::abort();  // every error names its line
        }
        return 0;
    }
    for (const waves::Stage& stage : stages) {
        if (!waves::IsWritableStageKey(stage.key)) {
            std::abort();
        }
    }
    std::vector<waves::Stage> again;
    if (!waves::ParseWaveSource(waves::FormatWaveSource(stages, "fuzz"), again, error, warnings) || again != stages) {
        std::abort();
    }
    std::vector<std::uint8_t> bytes;
    if (!waves::BuildWaveData(stages, 0x12345678u, bytes, error)) {
        std::abort();
    }
    return 0;
}
