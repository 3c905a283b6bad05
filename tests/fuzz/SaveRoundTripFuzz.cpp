// libFuzzer target: any bytes as "save.dat", then a save of one score into it. The save must
// succeed, and the file it writes must read back with every setting the damaged file had and the
// record asked for raised to the score (clamped to 0..99999) only when the score beats it.
#include <algorithm>
#include <cstdlib>

#include "SaveFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The file is read back into an object of its own, which has never seen the save.
    static ReusedSave saving;
    static ReusedSave reading;
    WriteFuzzInput("save.dat", data, size);
    CSaveFile& save = saving.Reload();
    const SaveRequest request = SaveRequest::Of(data, size);
    const auto settings = save.settings;
    const int held = Shown(request.Held(save));
    if (!save.Save(request.stage, request.difficulty, request.character, request.options, request.score)) {
        std::abort();
    }
    CSaveFile& again = reading.Reload();
    if (again.settings != settings) {
        std::abort();
    }
    const int expected = std::max(held, std::clamp(request.score, 0, CSaveFile::kMaxScore));
    if (request.InRange() &&
        again.ReadBestScore(request.stage, request.difficulty, request.character, request.options) != expected) {
        std::abort();
    }
    return 0;
}
