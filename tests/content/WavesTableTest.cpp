#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/EnemyKind.h"
#include "field/FilePackEnemyParamLoad.h"
#include "resource/WaveSource.h"

namespace {

struct StageTable {
    int points = -1;
    std::vector<waves::Wave> waves;
};

// Reads data/waves.txt with the same parser the pack tool compiles it with.
std::map<std::string, StageTable> ReadWaveSource(std::string& error) {
    const std::filesystem::path path =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "waves.txt";
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path.string();
        return {};
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<waves::Stage> stages;
    std::vector<std::string> warnings;
    if (!waves::ParseWaveSource(text.str(), stages, error, warnings)) {
        return {};
    }
    for (const std::string& warning : warnings) {
        error += warning + "\n";
    }
    std::map<std::string, StageTable> tables;
    for (const waves::Stage& stage : stages) {
        tables[stage.key] = {stage.points, stage.waves};
    }
    return tables;
}

const char* const kPrefixes[] = {"rouka", "lib", "sky", "bigwool"};
const char* const kDifficulties[] = {"easy", "normal", "hard", "lunatic"};

class WavesTable : public ::testing::Test {
protected:
    void SetUp() override {
        stages_ = ReadWaveSource(error_);
        ASSERT_EQ(error_, "");
    }
    std::string error_;
    std::map<std::string, StageTable> stages_;
};

TEST_F(WavesTable, AllSixteenStagesHaveStartingPointsAndValidWaves) {
    EXPECT_EQ(stages_.size(), 16u);
    for (const char* prefix : kPrefixes) {
        for (const char* difficulty : kDifficulties) {
            const std::string key = std::string(prefix) + "_" + difficulty;
            ASSERT_EQ(stages_.count(key), 1u) << key;
            const StageTable& table = stages_[key];
            EXPECT_GT(table.points, 0) << key;
            EXPECT_LE(table.points, 99999) << key;
            EXPECT_GE(table.waves.size(), 20u) << key;
            for (const waves::Wave& w : table.waves) {
                EXPECT_TRUE(IsKindId(static_cast<int>(w.kind))) << key << " kind " << w.kind;
                EXPECT_GT(w.health, 0) << key;
                EXPECT_GT(w.reward, 0) << key;
            }
        }
    }
}

TEST_F(WavesTable, EveryKindAndGiantVariantAppears) {
    std::set<std::uint32_t> kinds;
    for (const auto& [key, table] : stages_) {
        for (const waves::Wave& w : table.waves) {
            kinds.insert(w.kind);
        }
    }
    for (std::uint32_t kind = 1; kind <= 13; ++kind) {
        EXPECT_EQ(kinds.count(kind), 1u) << "kind " << kind;
    }
    int giants = 0;
    for (std::uint32_t kind = 21; kind <= 33; ++kind) {
        giants += static_cast<int>(kinds.count(kind));
    }
    EXPECT_GE(giants, 10);
    EXPECT_EQ(kinds.count(25), 1u);  // the giant fairy squad too
}

// Harder difficulties must be harder at every point of a stage, and every stage must get harder
// as it goes on: more waves, more health, comparable rewards.
TEST_F(WavesTable, DifficultyRisesWithinAStageAndAcrossDifficulties) {
    for (const char* prefix : kPrefixes) {
        const StageTable* previous = nullptr;
        for (const char* difficulty : kDifficulties) {
            const StageTable& table = stages_[std::string(prefix) + "_" + difficulty];
            ASSERT_FALSE(table.waves.empty());
            const waves::Wave& first = table.waves.front();
            const waves::Wave& last = table.waves.back();
            EXPECT_GT(last.health, first.health * 5) << prefix << "_" << difficulty;
            if (previous != nullptr) {
                EXPECT_GE(table.waves.size(), previous->waves.size()) << prefix << "_" << difficulty;
                for (std::size_t i = 0; i < previous->waves.size(); ++i) {
                    if (table.waves[i].kind == previous->waves[i].kind) {
                        EXPECT_GT(table.waves[i].health, previous->waves[i].health)
                            << prefix << "_" << difficulty << " wave " << i + 1;
                    }
                }
            }
            previous = &table;
        }
    }
}

TEST_F(WavesTable, TheBuildCompilesTheSourceIntoTheWaveDataTheGameReads) {
    CFilePackEnemyParamLoad compiled;
    ASSERT_TRUE(compiled.TryOpen(std::string(VELMORIA_GAME_DIR) + "/wbk_a.dat"));
    EXPECT_EQ(compiled.Stages().size(), stages_.size());
    for (const auto& [key, table] : stages_) {
        EXPECT_EQ(compiled.StartPoints(key), table.points) << key;
        ASSERT_EQ(compiled.Waves().count(key), 1u) << key;
        EXPECT_EQ(*compiled.Waves().at(key), table.waves) << key;
    }
}

}  // namespace
