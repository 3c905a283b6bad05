// libFuzzer target: any bytes as "save.dat", read the way the game reads it. Whatever the file
// holds, the scores read from it stay within 0..99999, the volumes as applied within 0..100, and
// reading one record straight from the file agrees with the whole file read into memory. Saving
// is the round-trip target's business: a save rewrites and rereads all 242 KiB, and would hold
// the readings of short files down to its pace.
#include <cstdlib>

#include "SaveFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ReusedSave reused;
    WriteFuzzInput("save.dat", data, size);
    CSaveFile& save = reused.Reload();
    const SaveRequest request = SaveRequest::Of(data, size);
    const int best = save.ReadBestScore(request.stage, request.difficulty, request.character, request.options);
    if (best < 0 || best > CSaveFile::kMaxScore) {
        std::abort();
    }
    for (const CSaveFile::Setting volume : {CSaveFile::kMusicVolume, CSaveFile::kEffectVolume}) {
        const int percent = save.VolumePercent(volume);
        if (percent < 0 || percent > 100) {
            std::abort();
        }
    }
    if (request.InRange() && best != Shown(request.Held(save))) {
        std::abort();
    }
    return 0;
}
