#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The wave data file "wbk_a.dat": the pack container whose directory records name a stage key
// and hold its wave record count, the offset of its first record and its starting points. The
// records are three scrambled numbers each: kind id, health, reward.
namespace waves {

constexpr std::uint32_t kWaveRecordSize = 12;

struct Wave {
    std::uint32_t kind = 0;  // enemy kind id, 1..13 or 21..33 for the big variant
    std::int32_t health = 0;  // of every enemy of the wave
    std::uint32_t reward = 0;  // of the item each enemy drops

    bool operator==(const Wave&) const = default;
};

struct Stage {
    std::string key;  // "rouka_easy", at most 31 characters
    std::int32_t points = 0;  // starting points
    std::vector<Wave> waves;  // in the order they come

    bool operator==(const Stage&) const = default;
};

// Lays the stages out in byte-wise key order, each stage's records after the directory in the
// same order. The same stages and key always give the same bytes. False (with a reason) for a
// key longer than 31 characters, a key given twice, or a file beyond 4 GiB.
bool BuildWaveData(std::vector<Stage> stages, std::uint32_t key, std::vector<std::uint8_t>& out, std::string& error);

}  // namespace waves
