#include "field/FilePackEnemyParamLoad.h"

#include <gtest/gtest.h>

#include <set>

#include "resource/PackTestFiles.h"
#include "support/FatalEnd.h"
#include "support/TempDir.h"

namespace {

constexpr std::uint32_t kKey = 0x2C91E4B7u;

std::vector<waves::Wave> NumberedWaves(int count) {
    std::vector<waves::Wave> list;
    for (int i = 1; i <= count; ++i) {
        list.push_back({static_cast<std::uint32_t>(i % 13 + 1), 100 * i, static_cast<std::uint32_t>(i)});
    }
    return list;
}

std::vector<std::uint8_t> Build(const std::vector<waves::Stage>& stages) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(waves::BuildWaveData(stages, kKey, bytes, error)) << error;
    return bytes;
}

std::vector<waves::Wave> Drain(CFilePackEnemyParamLoad& loader, const std::string& key) {
    std::vector<waves::Wave> read;
    waves::Wave wave;
    while (!loader.NextWave(key, wave.kind, wave.health, wave.reward)) {
        read.push_back(wave);
        if (read.size() > 1000) {
            break;  // a cursor that never ends
        }
    }
    return read;
}

// Records the loader keeps in memory: shared blocks count once.
std::size_t HeldRecords(const CFilePackEnemyParamLoad& loader) {
    std::set<const CFilePackEnemyParamLoad::Records*> blocks;
    std::size_t held = 0;
    for (const auto& [key, records] : loader.Waves()) {
        if (blocks.insert(records.get()).second) {
            held += records->size();
        }
    }
    return held;
}

TEST(FilePackEnemyParamLoad, NextWaveHandsOutRecordsInFileOrderThenRewinds) {
    ScopedTempDir dir;
    const std::vector<waves::Wave> library = NumberedWaves(12);
    WriteBytes("wbk_a.dat", Build({{"rouka_easy", 300, {{1, 120, 3}, {6, 200, 4}}},
                                   {"lib_hard", 500, library},
                                   {"sky_lunatic", 900, {}}}));
    CFilePackEnemyParamLoad loader;
    ASSERT_TRUE(loader.Open("wbk_a.dat"));
    EXPECT_EQ(loader.Key(), kKey);
    EXPECT_EQ(Drain(loader, "lib_hard"), library);
    // Having run to the end, the cursor is back at 0 for the next key, and for the same one.
    EXPECT_EQ(Drain(loader, "rouka_easy"), (std::vector<waves::Wave>{{1, 120, 3}, {6, 200, 4}}));
    EXPECT_EQ(Drain(loader, "lib_hard").size(), 12u);
    EXPECT_TRUE(Drain(loader, "sky_lunatic").empty());
    EXPECT_TRUE(Drain(loader, "no_such_stage").empty());
    EXPECT_EQ(loader.StartPoints("sky_lunatic"), 900);
    EXPECT_EQ(loader.StartPoints("no_such_stage"), 0);
}

TEST(FilePackEnemyParamLoad, StartPointsAreClampedToFiveDigits) {
    ScopedTempDir dir;
    WriteBytes("wbk_a.dat", Build({{"high", 120000, {}}, {"negative", -40, {}}, {"edge", 99999, {}}}));
    CFilePackEnemyParamLoad loader;
    loader.Open("wbk_a.dat");
    EXPECT_EQ(loader.StartPoints("high"), 99999);
    EXPECT_EQ(loader.StartPoints("negative"), 0);
    EXPECT_EQ(loader.StartPoints("edge"), 99999);
}

TEST(FilePackEnemyParamLoad, HostileCountsAndOffsetsStayInsideTheFile) {
    ScopedTempDir dir;
    std::vector<std::uint8_t> bytes = Build({{"a", 1, NumberedWaves(3)}, {"b", 2, NumberedWaves(2)},
                                             {"c", 3, NumberedWaves(1)}, {"d", 4, {}}});
    const std::uint32_t firstRecord = 16 + 64 * 4;
    pack::PutRecord(bytes, 0, "a", 0xFFFFFFFFu, firstRecord, 1, kKey);  // count far past the end
    pack::PutRecord(bytes, 1, "b", 2, 0xFFFFFF00u, 2, kKey);  // offset past the end
    pack::PutRecord(bytes, 2, "c", 1, static_cast<std::uint32_t>(bytes.size()) - 5, 3, kKey);  // record cut short
    WriteBytes("wbk_a.dat", bytes);
    CFilePackEnemyParamLoad loader;
    loader.Open("wbk_a.dat");
    EXPECT_EQ(Drain(loader, "a").size(), 6u);  // the six whole records from there to the end
    EXPECT_TRUE(Drain(loader, "b").empty());
    EXPECT_TRUE(Drain(loader, "c").empty());
    EXPECT_EQ(loader.StartPoints("d"), 4);
}

TEST(FilePackEnemyParamLoad, ManyStagesClaimingTheWholeFileCannotBlowUpMemory) {
    ScopedTempDir dir;
    constexpr std::uint32_t kStages = 200;
    std::vector<std::uint8_t> bytes(16 + 64 * kStages + 12 * 100, 0);
    pack::PutU32(bytes, 0, kKey);
    SetStoredCount(bytes, kStages, kKey);
    for (std::uint32_t i = 0; i < kStages; ++i) {
        pack::PutRecord(bytes, i, "stage" + std::to_string(i), 0xFFFFFFFFu, 16, 0, kKey);
    }
    WriteBytes("wbk_a.dat", bytes);
    CFilePackEnemyParamLoad loader;
    loader.Open("wbk_a.dat");
    ASSERT_EQ(loader.Stages().size(), kStages);
    // Every stage sees the whole block, but it is held once.
    EXPECT_EQ(loader.Waves().at("stage7")->size(), (bytes.size() - 16) / 12);
    EXPECT_EQ(HeldRecords(loader), (bytes.size() - 16) / 12);

    // Stages naming ever different blocks of the same records still stay near the file's size.
    for (std::uint32_t i = 0; i < kStages; ++i) {
        pack::PutRecord(bytes, i, "stage" + std::to_string(i), 0xFFFFFFFFu, 16 + i, 0, kKey);
    }
    WriteBytes("wbk_a.dat", bytes);
    loader.Open("wbk_a.dat");
    EXPECT_GT(HeldRecords(loader), (bytes.size() - 16) / 12);
    EXPECT_LE(HeldRecords(loader), bytes.size() / 4);
}

// The format lets stages share one block of records (our writer never does it): every stage
// must get all of them, however many share it and whatever their order in the file.
TEST(FilePackEnemyParamLoad, StagesSharingOneBlockOfRecordsEachGetAllOfIt) {
    ScopedTempDir dir;
    const std::vector<waves::Wave> shared = NumberedWaves(40);
    constexpr std::uint32_t kStages = 8;
    std::vector<waves::Stage> stages = {{"a", 100, shared}};
    for (std::uint32_t i = 1; i < kStages; ++i) {
        stages.push_back({std::string(1, static_cast<char>('a' + i)), static_cast<std::int32_t>(i), {}});
    }
    std::vector<std::uint8_t> bytes = Build(stages);
    const std::uint32_t block = 16 + 64 * kStages;
    // 40 records in a file of 1008 bytes: a budget of a quarter of the file counted per stage
    // runs dry at the seventh stage; counted once per block it leaves plenty.
    for (std::uint32_t i = 1; i < kStages; ++i) {
        pack::PutRecord(bytes, i, stages[i].key, 40, block, i, kKey);
    }
    WriteBytes("wbk_a.dat", bytes);
    CFilePackEnemyParamLoad loader;
    ASSERT_TRUE(loader.Open("wbk_a.dat"));
    for (const waves::Stage& stage : stages) {
        EXPECT_EQ(Drain(loader, stage.key), shared) << stage.key;
    }
    EXPECT_EQ(HeldRecords(loader), shared.size());
    // A stage that takes only the first records of the block gets just those.
    pack::PutRecord(bytes, 3, "d", 5, block, 3, kKey);
    WriteBytes("wbk_a.dat", bytes);
    loader.Open("wbk_a.dat");
    EXPECT_EQ(Drain(loader, "d"), std::vector<waves::Wave>(shared.begin(), shared.begin() + 5));
    EXPECT_EQ(Drain(loader, "c"), shared);
}

TEST(FilePackEnemyParamLoad, TruncatedFilesAndDuplicateKeys) {
    ScopedTempDir dir;
    const std::vector<std::uint8_t> whole = Build({{"dup", 10, NumberedWaves(2)}, {"late", 20, NumberedWaves(4)}});
    for (std::size_t length = 0; length <= whole.size(); length += 3) {
        WriteBytes("wbk_a.dat", std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
        CFilePackEnemyParamLoad loader;
        ASSERT_TRUE(loader.Open("wbk_a.dat"));
        EXPECT_LE(Drain(loader, "late").size(), 4u);
    }
    std::vector<std::uint8_t> bytes = whole;
    pack::PutRecord(bytes, 1, "dup", 4, 16 + 64 * 2 + 24, 20, kKey);
    WriteBytes("wbk_a.dat", bytes);
    CFilePackEnemyParamLoad loader;
    loader.Open("wbk_a.dat");
    EXPECT_EQ(loader.Stages().size(), 1u);
    EXPECT_EQ(loader.StartPoints("dup"), 10);
    EXPECT_EQ(Drain(loader, "dup").size(), 2u);
}

TEST(FilePackEnemyParamLoad, AMissingFileEndsTheGameWithItsMessage) {
    ScopedTempDir dir;
    CFilePackEnemyParamLoad loader;
    EXPECT_FALSE(loader.TryOpen("wbk_a.dat"));
    const FatalEnd end = CatchFatalEnd([&] { EXPECT_FALSE(loader.Open("wbk_a.dat")); });
    EXPECT_TRUE(end.quit);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_NE(end.message.find("敵データが読み込めません！"), std::string::npos);
    EXPECT_TRUE(loader.Stages().empty());
}

}  // namespace
