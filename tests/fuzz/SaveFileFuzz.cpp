#include "FuzzFile.h"
#include "resource/SaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteFuzzInput("save.dat", data, size);
    CSaveFile save;
    const int stage = size > 0 ? data[0] % 14 - 1 : 0;  // one step out of range on each side
    const int difficulty = size > 1 ? data[1] % 6 - 1 : 0;
    const int character = size > 2 ? data[2] % 12 - 1 : 0;
    const std::array<std::uint8_t, 7> options = {static_cast<std::uint8_t>(size > 3 ? data[3] & 1 : 0)};
    const int best = save.ReadBestScore(stage, difficulty, character, options);
    if (best < 0 || best > CSaveFile::kMaxScore) {
        std::abort();
    }
    return 0;
}
