#pragma once
// What the two "save.dat" targets share: the request an input's first bytes make, and the one
// CSaveFile each target loads its inputs into.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "FuzzFile.h"
#include "resource/SaveFile.h"

// The first bytes of an input are both the start of the file (its key and header) and the
// arguments of the calls: stage, difficulty and character each one step out of range on either
// side, the seven options as the bits of the fourth byte, and a score from the fifth and sixth.
struct SaveRequest {
    int stage = 0;
    int difficulty = 0;
    int character = 0;
    std::array<std::uint8_t, 7> options{};
    int score = 0;

    static SaveRequest Of(const std::uint8_t* data, std::size_t size) {
        auto byte = [&](std::size_t i) { return i < size ? data[i] : 0; };
        SaveRequest request;
        request.stage = size > 0 ? byte(0) % 14 - 1 : 0;
        request.difficulty = size > 1 ? byte(1) % 6 - 1 : 0;
        request.character = size > 2 ? byte(2) % 12 - 1 : 0;
        for (std::size_t i = 0; i < request.options.size(); ++i) {
            request.options[i] = (byte(3) >> i) & 1;
        }
        request.score = (byte(4) << 8 | byte(5)) * 3 - 20000;  // -20000 .. 176605
        return request;
    }

    bool InRange() const {
        return stage >= 0 && stage < CSaveFile::kStages && difficulty >= 0 && difficulty < CSaveFile::kDifficulties &&
               character >= 0 && character < CSaveFile::kCharacters;
    }

    // The record the request names, as the object holds it in memory (0 when out of range).
    std::uint32_t Held(const CSaveFile& save) const {
        const int mask = CSaveFile::OptionMask(options);
        return mask == 0 ? save.RecordWithoutOptions(character, stage, difficulty)
                         : save.RecordWithOptions(character, stage, difficulty, mask);
    }
};

// A record as the best score read from the file shows it.
inline int Shown(std::uint32_t record) {
    return std::clamp(static_cast<int>(static_cast<std::int32_t>(record)), 0, CSaveFile::kMaxScore);
}

// A CSaveFile that lives for the whole run and reloads "save.dat" on request. A new object per
// input spent most of each run mapping and faulting in its 240 KiB of tables under
// AddressSanitizer; Load() starts from the defaults, so a reloaded object holds exactly what a
// new one would read.
class ReusedSave {
public:
    CSaveFile& Reload() {
        // Made on first use, when the input is already in place: the constructor loads too.
        static ScratchFileWriter writer;
        if (!save_) {
            save_.emplace(&writer);
        } else {
            save_->Load();
        }
        return *save_;
    }

private:
    std::optional<CSaveFile> save_;
};
