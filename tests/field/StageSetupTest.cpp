#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "field/FilePackEnemyParamLoad.h"
#include "field/StageSetup.h"
#include "object/LevelGauge.h"
#include "resource/SaveFile.h"
#include "support/TempDir.h"

namespace {

void WriteWaveFile(std::vector<waves::Stage> stages) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(waves::BuildWaveData(std::move(stages), 0x5A17C3E1u, bytes, error)) << error;
    std::ofstream("wbk_a.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<waves::Wave> NumberedWaves(int count) {
    std::vector<waves::Wave> list;
    for (int i = 1; i <= count; ++i) {
        list.push_back({static_cast<std::uint32_t>(i % 13 + 1), 10 * i, static_cast<std::uint32_t>(i)});
    }
    return list;
}

field::StageRequest Request(int stage, int difficulty, std::array<std::uint8_t, 7> options = {}) {
    return {stage, difficulty, 1, options};
}

}  // namespace

TEST(StageSetup, FillsTheGaugeInFileOrderAndReadsTheBestScore) {
    ScopedTempDir dir;
    WriteWaveFile({{"lib_hard", 420, NumberedWaves(12)}, {"rouka_easy", 50, NumberedWaves(2)}});
    CSaveFile save;
    save.Save(1, 2, 1, CSaveFile::kNoOptions, 1234);

    LevelGauge gauge;
    const field::StageStart library = field::SetUpStage("wbk_a.dat", save, Request(1, 2), gauge);
    EXPECT_EQ(library.info.key, "lib_hard");
    EXPECT_EQ(library.points, 420);
    EXPECT_EQ(library.bestScore, 1234);
    EXPECT_EQ(library.splitDepth, 2);
    EXPECT_EQ(library.waves, NumberedWaves(12));
    ASSERT_EQ(gauge.waves.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(gauge.waves[i].kind, static_cast<int>(library.waves[i].kind));
        EXPECT_EQ(gauge.waves[i].health, library.waves[i].health);
        EXPECT_EQ(gauge.waves[i].reward, static_cast<int>(library.waves[i].reward));
    }
}

TEST(StageSetup, StartingPointsAreClampedAndReplacedByTheOptionBytes) {
    ScopedTempDir dir;
    WriteWaveFile({{"rouka_easy", 250000, NumberedWaves(2)},
                   {"sky_normal", -40, NumberedWaves(1)},
                   {"bigwool_lunatic", 77, NumberedWaves(3)}});
    CFilePackEnemyParamLoad loader;
    ASSERT_TRUE(loader.Open("wbk_a.dat"));
    EXPECT_EQ(field::ReadStageStart(loader, Request(0, 0)).points, 99999);
    // Reading one key to its end lets the same or the next key start from its first record.
    EXPECT_EQ(field::ReadStageStart(loader, Request(0, 0)).waves.size(), 2u);
    EXPECT_EQ(field::ReadStageStart(loader, Request(2, 1)).points, 0);

    EXPECT_EQ(field::ReadStageStart(loader, Request(2, 1, {0, 0, 1, 1, 0, 0, 0})).points, 10000);
    EXPECT_EQ(field::ReadStageStart(loader, Request(2, 1, {0, 0, 0, 1, 0, 0, 0})).points, 3000);

    const field::StageStart furballs = field::ReadStageStart(loader, Request(0, 3, {0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(furballs.info.key, "bigwool_lunatic");
    EXPECT_EQ(furballs.points, 77);
    EXPECT_EQ(furballs.waves.size(), 3u);
}

TEST(StageSetup, AMissingKeyGivesNoWavesAndNoPoints) {
    ScopedTempDir dir;
    WriteWaveFile({{"rouka_normal", 300, NumberedWaves(4)}});
    CSaveFile save;
    LevelGauge gauge;
    const field::StageStart start = field::SetUpStage("wbk_a.dat", save, Request(1, 1), gauge);
    EXPECT_EQ(start.points, 0);
    EXPECT_EQ(start.bestScore, 300);  // the save file's default for normal
    EXPECT_TRUE(start.waves.empty());
    EXPECT_TRUE(gauge.waves.empty());
    EXPECT_TRUE(field::SetUpStage("wbk_a.dat", save, Request(0, 7), gauge).waves.empty());
}
