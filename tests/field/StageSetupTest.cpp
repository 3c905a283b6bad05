#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "field/FilePackEnemyParamLoad.h"
#include "field/StageSetup.h"
#include "support/TempDir.h"

namespace {

void WriteWaveFile(const std::string& path, std::vector<waves::Stage> stages) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(waves::BuildWaveData(std::move(stages), 0x5A17C3E1u, bytes, error)) << error;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

std::vector<waves::Wave> NumberedWaves(int count) {
    std::vector<waves::Wave> list;
    for (int i = 1; i <= count; ++i) {
        list.push_back({static_cast<std::uint32_t>(i % 13 + 1), 10 * i, static_cast<std::uint32_t>(i)});
    }
    return list;
}

}  // namespace

TEST(StageSetup, ReadsTheStagesPointsAndWavesInFileOrder) {
    ScopedTempDir dir;
    WriteWaveFile("wbk_a.dat", {{"lib_hard", 420, NumberedWaves(12)},
                                {"rouka_easy", 250000, NumberedWaves(2)},
                                {"sky_normal", -40, NumberedWaves(1)},
                                {"bigwool_lunatic", 77, NumberedWaves(3)}});
    const std::uint8_t none[7] = {};
    const field::StageStart library = field::SetUpStage("wbk_a.dat", 1, 2, none);
    EXPECT_EQ(library.info.key, "lib_hard");
    EXPECT_EQ(library.points, 420);
    EXPECT_EQ(library.splitDepth, 2);
    EXPECT_EQ(library.waves, NumberedWaves(12));

    CFilePackEnemyParamLoad loader;
    ASSERT_TRUE(loader.Open("wbk_a.dat"));
    // Reading one key to its end lets the next key start from its first record.
    EXPECT_EQ(field::ReadStageStart(loader, 0, 0, none).points, 99999);
    EXPECT_EQ(field::ReadStageStart(loader, 0, 0, none).waves.size(), 2u);
    EXPECT_EQ(field::ReadStageStart(loader, 2, 1, none).points, 0);

    const std::uint8_t bigFurball[7] = {0, 1, 0, 0, 0, 0, 0};
    const field::StageStart furballs = field::ReadStageStart(loader, 0, 3, bigFurball);
    EXPECT_EQ(furballs.info.key, "bigwool_lunatic");
    EXPECT_EQ(furballs.points, 77);
    EXPECT_EQ(furballs.waves.size(), 3u);
}

TEST(StageSetup, OptionBytesReplaceTheStartingPoints) {
    ScopedTempDir dir;
    WriteWaveFile("wbk_a.dat", {{"rouka_normal", 300, NumberedWaves(4)}});
    CFilePackEnemyParamLoad loader;
    ASSERT_TRUE(loader.Open("wbk_a.dat"));
    const std::uint8_t rich[7] = {0, 0, 1, 1, 0, 0, 0};
    const std::uint8_t modest[7] = {0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(field::ReadStageStart(loader, 0, 1, rich).points, 10000);
    EXPECT_EQ(field::ReadStageStart(loader, 0, 1, modest).points, 3000);
    EXPECT_EQ(field::ReadStageStart(loader, 0, 1, modest).waves.size(), 4u);
}

TEST(StageSetup, AMissingKeyGivesNoWavesAndNoPoints) {
    ScopedTempDir dir;
    WriteWaveFile("wbk_a.dat", {{"rouka_normal", 300, NumberedWaves(4)}});
    const std::uint8_t none[7] = {};
    const field::StageStart start = field::SetUpStage("wbk_a.dat", 1, 1, none);
    EXPECT_EQ(start.points, 0);
    EXPECT_TRUE(start.waves.empty());
    const field::StageStart outOfRange = field::SetUpStage("wbk_a.dat", 0, 7, none);
    EXPECT_EQ(outOfRange.info.key, "");
    EXPECT_TRUE(outOfRange.waves.empty());
}
