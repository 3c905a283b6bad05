// libFuzzer target: any bytes as "save.dat". Whatever the file holds, the scores read from it
// stay within 0..99999, the volumes as applied within 0..100, reading one record from the file
// agrees with the whole file read into memory, and a save writes a file that reads back with the
// new record and every setting unchanged.
#include <algorithm>
#include <cstdlib>

#include "FuzzFile.h"
#include "resource/SaveFile.h"

namespace {

int Shown(std::uint32_t record) {
    return std::clamp(static_cast<int>(static_cast<std::int32_t>(record)), 0, CSaveFile::kMaxScore);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFileWriter writer;
    WriteFuzzInput("save.dat", data, size);
    CSaveFile save(&writer);
    const int stage = size > 0 ? data[0] % 14 - 1 : 0;  // one step out of range on each side
    const int difficulty = size > 1 ? data[1] % 6 - 1 : 0;
    const int character = size > 2 ? data[2] % 12 - 1 : 0;
    std::array<std::uint8_t, 7> options{};
    for (std::size_t i = 0; i < options.size(); ++i) {
        options[i] = size > 3 ? (data[3] >> i) & 1 : 0;
    }
    const int mask = CSaveFile::OptionMask(options);
    const int best = save.ReadBestScore(stage, difficulty, character, options);
    if (best < 0 || best > CSaveFile::kMaxScore) {
        std::abort();
    }
    for (const CSaveFile::Setting volume : {CSaveFile::kMusicVolume, CSaveFile::kEffectVolume}) {
        const int percent = save.VolumePercent(volume);
        if (percent < 0 || percent > 100) {
            std::abort();
        }
    }
    const std::uint32_t held = mask == 0 ? save.RecordWithoutOptions(character, stage, difficulty)
                                         : save.RecordWithOptions(character, stage, difficulty, mask);
    const bool inRange = stage >= 0 && stage < CSaveFile::kStages && difficulty >= 0 &&
                         difficulty < CSaveFile::kDifficulties && character >= 0 && character < CSaveFile::kCharacters;
    if (inRange && best != Shown(held)) {
        std::abort();
    }

    // A save rewrites the whole 242 KiB file and reads it twice, twenty times the work of the
    // reading above: one input in eight (by its sixth byte) saves.
    if (size <= 5 || data[5] % 8 != 0) {
        return 0;
    }
    const int score = (data[4] << 8 | data[5]) * 3 - 20000;  // -20000 .. 176605
    const auto settings = save.settings;
    if (!save.Save(stage, difficulty, character, options, score)) {
        std::abort();
    }
    CSaveFile again(&writer);
    const int expected = std::max(Shown(held), std::clamp(score, 0, CSaveFile::kMaxScore));
    if (again.settings != settings || (inRange && again.ReadBestScore(stage, difficulty, character, options) != expected)) {
        std::abort();
    }
    return 0;
}
