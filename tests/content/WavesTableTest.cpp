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

std::filesystem::path WaveSourcePath() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "waves.txt";
}

// Reads data/waves.txt with the same parser the pack tool compiles it with.
std::map<std::string, StageTable> ReadWaveSource(std::string& error) {
    const std::filesystem::path path = WaveSourcePath();
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

// What the source says beside the numbers: the kind weights of its model and which waves its
// comments call boss waves.
struct SourceNotes {
    std::map<int, double> weights;
    std::map<std::string, std::set<std::size_t>> bosses;  // stage key -> 0-based wave indices
};

SourceNotes ReadSourceNotes() {
    std::ifstream in(WaveSourcePath());
    SourceNotes notes;
    std::string line;
    std::string key;
    std::size_t wave = 0;
    while (std::getline(in, line)) {
        if (line.rfind("# kind weights:", 0) == 0) {
            std::istringstream list(line.substr(15));
            int kind = 0;
            double weight = 0.0;
            char comma = 0;
            while (list >> kind >> weight) {
                notes.weights[kind] = weight;
                list >> comma;
            }
        } else if (line.rfind("stage ", 0) == 0) {
            key = line.substr(6);
            wave = 0;
        } else if (line.rfind("wave ", 0) == 0) {
            if (line.find("# boss") != std::string::npos) {
                notes.bosses[key].insert(wave);
            }
            ++wave;
        }
    }
    return notes;
}

bool IsEasy(const std::string& key) { return key.size() > 5 && key.compare(key.size() - 5, 5, "_easy") == 0; }

// Health one route has to take down for one wave, weighted by how hard each point of the kind
// is to take: eight of a kind, or one giant; a squad of giants is four; big furballs come four
// to a route (one giant) and each leaves children of half its health per generation of splits.
double Strength(const waves::Wave& wave, bool easy, const std::map<int, double>& weights) {
    const int kind = static_cast<int>(wave.kind);
    const bool giant = kind > 20;
    const int base = giant ? kind - 20 : kind;
    const int generations = easy ? 2 : 3;
    double units = giant ? 1.0 : 8.0;
    if (base == 7) {
        units = giant ? generations : 4.0 * generations;
    } else if (base == 5 && giant) {
        units = 4.0;
    }
    const auto weight = weights.find(base);
    return static_cast<double>(wave.health) * units * (weight == weights.end() ? 1.0 : weight->second);
}

double TotalStrength(const StageTable& table, std::size_t waves, bool easy, const std::map<int, double>& weights) {
    double total = 0.0;
    for (std::size_t i = 0; i < waves && i < table.waves.size(); ++i) {
        total += Strength(table.waves[i], easy, weights);
    }
    return total;
}

// No wave comes as a spike: each is at most twice as strong as the waves beside it, unless the
// comments call it a boss wave; and every stage ends much stronger than it starts.
TEST_F(WavesTable, WavesGrowWithoutSpikesBesideTheBossWaves) {
    const SourceNotes notes = ReadSourceNotes();
    ASSERT_FALSE(notes.weights.empty()) << "no '# kind weights:' line";
    for (const auto& [key, table] : stages_) {
        const bool easy = IsEasy(key);
        const auto marked = notes.bosses.find(key);
        const std::set<std::size_t> bosses = marked == notes.bosses.end() ? std::set<std::size_t>{} : marked->second;
        for (std::size_t i = 0; i < table.waves.size(); ++i) {
            if (bosses.count(i) != 0) {
                continue;
            }
            const double strength = Strength(table.waves[i], easy, notes.weights);
            for (const std::size_t j : {i - 1, i + 1}) {
                if (j < table.waves.size() && bosses.count(j) == 0) {
                    EXPECT_LE(strength, 2.0 * Strength(table.waves[j], easy, notes.weights))
                        << key << " wave " << i + 1 << " against wave " << j + 1;
                }
            }
        }
        EXPECT_GT(Strength(table.waves.back(), easy, notes.weights),
                  5.0 * Strength(table.waves.front(), easy, notes.weights))
            << key;
    }
}

// Each harder difficulty is longer and stronger over the waves both have, and meets the kinds
// in an order of its own rather than repeating the easier list with waves appended.
TEST_F(WavesTable, EachDifficultyIsStrongerAndHasWavesOfItsOwn) {
    const SourceNotes notes = ReadSourceNotes();
    for (const char* prefix : kPrefixes) {
        const StageTable* previous = nullptr;
        for (const char* difficulty : kDifficulties) {
            const std::string key = std::string(prefix) + "_" + difficulty;
            const StageTable& table = stages_[key];
            if (previous != nullptr) {
                const std::size_t shared = previous->waves.size();
                EXPECT_GT(table.waves.size(), shared) << key;
                const bool previousEasy = previous == &stages_[std::string(prefix) + "_easy"];
                EXPECT_GT(TotalStrength(table, shared, false, notes.weights),
                          TotalStrength(*previous, shared, previousEasy, notes.weights))
                    << key;
                std::size_t same = 0;
                for (std::size_t i = 0; i < shared; ++i) {
                    same += table.waves[i].kind == previous->waves[i].kind ? 1 : 0;
                }
                EXPECT_LT(same, shared / 2) << key << " repeats the easier order";
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
