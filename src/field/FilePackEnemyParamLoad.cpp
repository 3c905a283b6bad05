#include "field/FilePackEnemyParamLoad.h"

#include <algorithm>
#include <utility>

#include "base/Language.h"
#include "platform/Fatal.h"
#include "resource/BinaryFile.h"
#include "resource/PackDirectory.h"
#include "resource/PackFormat.h"

namespace {

constexpr int kMaxStartPoints = 99999;

// Stages may share one block of records (the format allows it, though our writer never does it).
// A file that claims far more records than it could hold is hostile: every distinct block draws
// from one budget, so memory stays a small multiple of the file however many stages share them.
std::uint64_t RecordBudget(std::uint64_t fileSize) { return fileSize / 4; }

using Records = CFilePackEnemyParamLoad::Records;

// A block of records: where it starts and how many of them fit in the file.
using BlockId = std::pair<std::uint32_t, std::uint64_t>;

BlockId Block(const BinaryFile& file, const CFilePackEnemyParamLoad::StageEntry& stage) {
    if (stage.recordOffset > file.Size()) {
        return {stage.recordOffset, 0};
    }
    const std::uint64_t inFile = (file.Size() - stage.recordOffset) / waves::kWaveRecordSize;
    return {stage.recordOffset, std::min<std::uint64_t>(stage.recordCount, inFile)};
}

Records ReadRecords(BinaryFile& file, std::uint32_t key, const BlockId& block, std::uint64_t& budget) {
    Records records;
    const std::uint64_t count = std::min(block.second, budget);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * waves::kWaveRecordSize);
    if (!file.ReadAt(block.first, bytes.data(), bytes.size())) {
        return records;
    }
    budget -= count;
    records.reserve(static_cast<std::size_t>(count));
    for (std::size_t at = 0; at < bytes.size(); at += waves::kWaveRecordSize) {
        records.push_back({pack::Unscramble(LoadU32(&bytes[at]), key),
                           static_cast<std::int32_t>(pack::Unscramble(LoadU32(&bytes[at + 4]), key)),
                           pack::Unscramble(LoadU32(&bytes[at + 8]), key)});
    }
    return records;
}

}  // namespace

bool CFilePackEnemyParamLoad::Open(const std::string& path) {
    if (!TryOpen(path)) {
        platform::FatalError(nullptr, N_MESSAGE("敵データが読み込めません！"));
        return false;
    }
    return true;
}

bool CFilePackEnemyParamLoad::TryOpen(const std::string& path) {
    directory_.clear();
    waves_.clear();
    key_ = 0;
    path_ = path;
    BinaryFile file;
    if (!file.Open(path)) {
        return false;
    }
    std::vector<pack::DirectoryRecord> records;
    pack::ReadDirectory(file, key_, records);
    for (const pack::DirectoryRecord& record : records) {
        directory_.try_emplace(record.name, StageEntry{record.first, record.second, record.third});
    }
    std::uint64_t budget = RecordBudget(file.Size());
    std::map<BlockId, std::shared_ptr<const Records>> blocks;
    for (const auto& [name, stage] : directory_) {
        const BlockId block = Block(file, stage);
        auto [found, added] = blocks.try_emplace(block);
        if (added) {
            found->second = std::make_shared<const Records>(ReadRecords(file, key_, block, budget));
        }
        waves_.emplace(name, found->second);
    }
    return true;
}

int CFilePackEnemyParamLoad::StartPoints(const std::string& key) const {
    const auto found = directory_.find(key);
    if (found == directory_.end()) {
        return 0;
    }
    return std::clamp(static_cast<int>(static_cast<std::int32_t>(found->second.startPoints)), 0, kMaxStartPoints);
}

bool CFilePackEnemyParamLoad::NextWave(const std::string& key, std::uint32_t& kind, std::int32_t& health,
                                       std::uint32_t& reward) {
    const auto found = waves_.find(key);
    const std::size_t count = found == waves_.end() ? 0 : found->second->size();
    if (cursor_ >= count) {
        cursor_ = 0;
        return true;
    }
    const WaveRecord& record = (*found->second)[cursor_];
    kind = record.kind;
    health = record.health;
    reward = record.reward;
    ++cursor_;
    return false;
}
