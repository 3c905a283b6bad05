#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "ContentPack.h"

namespace {

struct WaveRecord {
    int kind = 0;
    int health = 0;
    int reward = 0;
};

struct StageTable {
    int points = -1;
    std::vector<WaveRecord> waves;
};

// Reads data/waves.txt; a malformed line fails the test through `error`.
std::map<std::string, StageTable> ReadWaveSource(std::string& error) {
    const std::filesystem::path path =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "waves.txt";
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path.string();
        return {};
    }
    std::map<std::string, StageTable> stages;
    StageTable* current = nullptr;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) {
            continue;
        }
        if (word == "stage" && words >> word) {
            current = &stages[word];
        } else if (word == "points" && current != nullptr && words >> current->points) {
        } else if (word == "wave" && current != nullptr) {
            WaveRecord record;
            if (!(words >> record.kind >> record.health >> record.reward)) {
                error = "bad wave on line " + std::to_string(number);
            }
            current->waves.push_back(record);
        } else {
            error = "unexpected line " + std::to_string(number);
        }
    }
    return stages;
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
            for (const WaveRecord& w : table.waves) {
                const bool valid = (w.kind >= 1 && w.kind <= 13) || (w.kind >= 21 && w.kind <= 33);
                EXPECT_TRUE(valid) << key << " kind " << w.kind;
                EXPECT_GT(w.health, 0) << key;
                EXPECT_GT(w.reward, 0) << key;
            }
        }
    }
}

TEST_F(WavesTable, EveryKindAndGiantVariantAppears) {
    std::set<int> kinds;
    for (const auto& [key, table] : stages_) {
        for (const WaveRecord& w : table.waves) {
            kinds.insert(w.kind);
        }
    }
    for (int kind = 1; kind <= 13; ++kind) {
        EXPECT_EQ(kinds.count(kind), 1u) << "kind " << kind;
    }
    int giants = 0;
    for (int kind = 21; kind <= 33; ++kind) {
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
            const WaveRecord& first = table.waves.front();
            const WaveRecord& last = table.waves.back();
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

TEST_F(WavesTable, CompiledTableMatchesTheSourceWhenTheToolHasBuiltIt) {
    ContentPack compiled;
    if (!compiled.Load(std::string(VELMORIA_GAME_DIR) + "/wbk_a.dat")) {
        GTEST_SKIP() << "wbk_a.dat is not built (the pack tool is not in this tree)";
    }
    EXPECT_EQ(compiled.Entries().size(), stages_.size());
    const std::uint32_t key = compiled.File()[0] | compiled.File()[1] << 8 | compiled.File()[2] << 16 |
                              static_cast<std::uint32_t>(compiled.File()[3]) << 24;
    for (const auto& [name, table] : stages_) {
        ASSERT_TRUE(compiled.Has(name)) << name;
        const ContentEntry& entry = compiled.Entries().at(name);
        // Here the record's size field is the wave count and the third number the points.
        EXPECT_EQ(entry.size, table.waves.size()) << name;
        EXPECT_EQ(entry.third, static_cast<std::uint32_t>(table.points)) << name;
        const std::vector<std::uint8_t>& file = compiled.File();
        for (std::size_t i = 0; i < table.waves.size(); ++i) {
            const std::size_t at = entry.offset + 12 * i;
            auto read = [&](std::size_t o) {
                return pack::Unscramble(file[o] | file[o + 1] << 8 | file[o + 2] << 16 |
                                            static_cast<std::uint32_t>(file[o + 3]) << 24,
                                        key);
            };
            EXPECT_EQ(read(at), static_cast<std::uint32_t>(table.waves[i].kind)) << name << " wave " << i;
            EXPECT_EQ(read(at + 4), static_cast<std::uint32_t>(table.waves[i].health)) << name << " wave " << i;
            EXPECT_EQ(read(at + 8), static_cast<std::uint32_t>(table.waves[i].reward)) << name << " wave " << i;
        }
    }
}

}  // namespace
