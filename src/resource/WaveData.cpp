#include "resource/WaveData.h"

#include <algorithm>

#include "resource/PackFormat.h"
#include "resource/PackWriter.h"

namespace waves {

namespace {

bool CheckKeys(const std::vector<Stage>& sorted, std::string& error) {
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (sorted[i].key.size() > pack::kMaxNameLength) {
            error = "stage key '" + sorted[i].key + "' is longer than 31 characters";
            return false;
        }
        if (i > 0 && sorted[i].key == sorted[i - 1].key) {
            error = "stage key '" + sorted[i].key + "' is given twice";
            return false;
        }
    }
    return true;
}

}  // namespace

bool BuildWaveData(std::vector<Stage> stages, std::uint32_t key, std::vector<std::uint8_t>& out, std::string& error) {
    std::stable_sort(stages.begin(), stages.end(), [](const Stage& a, const Stage& b) { return a.key < b.key; });
    if (!CheckKeys(stages, error)) {
        return false;
    }
    const std::uint64_t directoryEnd = pack::kHeaderSize + static_cast<std::uint64_t>(pack::kRecordSize) * stages.size();
    std::uint64_t total = directoryEnd;
    for (const Stage& stage : stages) {
        total += static_cast<std::uint64_t>(kWaveRecordSize) * stage.waves.size();
    }
    if (total > 0xFFFFFFFFull) {
        error = "wave data would be larger than 4 GiB";
        return false;
    }
    out.assign(static_cast<std::size_t>(total), 0);
    pack::PutU32(out, 0, key);
    pack::PutU32(out, 4, pack::Scramble(static_cast<std::uint32_t>(stages.size()), key));
    auto offset = static_cast<std::uint32_t>(directoryEnd);
    for (std::uint32_t i = 0; i < stages.size(); ++i) {
        const Stage& stage = stages[i];
        pack::PutRecord(out, i, stage.key, static_cast<std::uint32_t>(stage.waves.size()), offset,
                        static_cast<std::uint32_t>(stage.points), key);
        for (const Wave& wave : stage.waves) {
            pack::PutU32(out, offset, pack::Scramble(wave.kind, key));
            pack::PutU32(out, offset + 4, pack::Scramble(static_cast<std::uint32_t>(wave.health), key));
            pack::PutU32(out, offset + 8, pack::Scramble(wave.reward, key));
            offset += kWaveRecordSize;
        }
    }
    return true;
}

}  // namespace waves
