#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resource/WaveData.h"

// Reads the wave data file (pack::kWaveDataPack): per stage key ("rouka_easy", ...) the starting points and
// the ordered wave records. It shares the pack container and its scrambling; the directory's
// three numbers are the record count, the offset of the first record and the starting points.
class CFilePackEnemyParamLoad {
public:
    struct StageEntry {
        std::uint32_t recordCount = 0;
        std::uint32_t recordOffset = 0;
        std::uint32_t startPoints = 0;
    };
    using WaveRecord = waves::Wave;
    using Directory = std::map<std::string, StageEntry>;
    using Records = std::vector<WaveRecord>;
    // Stages whose directory entries name the same block of records share one copy of it.
    using WaveTable = std::map<std::string, std::shared_ptr<const Records>>;

    CFilePackEnemyParamLoad() = default;
    virtual ~CFilePackEnemyParamLoad() = default;

    // Reads the directory and every stage's records. A file that cannot be opened ends the game
    // with "敵データが読み込めません！" (platform::FatalError); this then gives false and empty tables.
    bool Open(const std::string& path);
    // The same, but a file that cannot be opened gives false and empty tables.
    bool TryOpen(const std::string& path);

    // The stage's starting points clamped to 0..99999; 0 for a key that is not in the file.
    int StartPoints(const std::string& key) const;
    // Hands out the key's records one by one and returns false while it does. At the end (or
    // at once for a key without records) it returns true and rewinds, so another key can follow.
    bool NextWave(const std::string& key, std::uint32_t& kind, std::int32_t& health, std::uint32_t& reward);

    std::uint32_t Key() const { return key_; }
    const Directory& Stages() const { return directory_; }
    const WaveTable& Waves() const { return waves_; }

private:
    std::uint32_t key_ = 0;
    std::string path_;
    Directory directory_;
    WaveTable waves_;
    std::uint32_t cursor_ = 0;
};
