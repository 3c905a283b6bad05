#include "resource/WaveSource.h"

#include <gtest/gtest.h>


namespace {

constexpr const char* kSource = R"(# comments run to the end of the line; blank lines are ignored
stage rouka_easy          # starts a stage block
points 300
wave 1 120 3              # kind id, health, reward
	wave   6  200 4

stage rouka_normal
wave 21 -5 0
stage sky_lunatic         # no points given, no waves
)";

std::vector<waves::Stage> Parse(std::string_view text) {
    std::vector<waves::Stage> stages;
    std::string error;
    std::vector<std::string> warnings;
    EXPECT_TRUE(waves::ParseWaveSource(text, stages, error, warnings)) << error;
    return stages;
}

std::string ErrorOf(std::string_view text) {
    std::vector<waves::Stage> stages;
    std::string error;
    std::vector<std::string> warnings;
    EXPECT_FALSE(waves::ParseWaveSource(text, stages, error, warnings)) << text;
    EXPECT_TRUE(stages.empty());
    return error;
}

TEST(WaveSource, ParsesStagesInSourceOrderAndFormatsBackToTheSameStages) {
    const std::vector<waves::Stage> expected = {{"rouka_easy", 300, {{1, 120, 3}, {6, 200, 4}}},
                                                {"rouka_normal", 0, {{21, -5, 0}}},
                                                {"sky_lunatic", 0, {}}};
    const std::vector<waves::Stage> stages = Parse(kSource);
    EXPECT_EQ(stages, expected);
    const std::string text = waves::FormatWaveSource(stages, "wave data\nkey 0x00000001");
    EXPECT_EQ(text.rfind("# wave data\n# key 0x00000001\n", 0), 0u) << text;
    EXPECT_EQ(Parse(text), expected);
}

TEST(WaveSource, ErrorsNameTheLineAndTheProblem) {
    EXPECT_EQ(ErrorOf("stage a\nfoo 1\n"), "line 2: unknown statement 'foo' (expected stage, points or wave)");
    EXPECT_EQ(ErrorOf("# header\nwave 1 2 3\n"), "line 2: 'wave' before the first 'stage'");
    EXPECT_EQ(ErrorOf("points 3"), "line 1: 'points' before the first 'stage'");
    EXPECT_EQ(ErrorOf("stage a\nstage b\n\nstage a\n"), "line 4: stage 'a' was already given on line 1");
    EXPECT_EQ(ErrorOf("stage a\npoints 1\npoints 2\n"), "line 3: stage 'a' already has its points");
    EXPECT_EQ(ErrorOf("stage " + std::string(32, 'k')),
              "line 1: stage key '" + std::string(32, 'k') + "' is longer than 31 characters");
    EXPECT_EQ(ErrorOf("stage\n"), "line 1: expected 'stage KEY'");
    EXPECT_EQ(ErrorOf("stage bell\a\n"), "line 1: stage key holds a control character");
    EXPECT_EQ(ErrorOf("stage a b\n"), "line 1: expected 'stage KEY'");
    EXPECT_EQ(ErrorOf("stage a\nwave 1 2\n"), "line 2: expected 'wave KIND HEALTH REWARD'");
    EXPECT_EQ(ErrorOf("stage a\npoints 3000000000\n"),
              "line 2: points '3000000000' is not a whole number that fits in 32 bits");
    for (const char* wave : {"wave -1 2 3", "wave 1 2 -3", "wave 1 2x 3", "wave 1 2 4294967296", "wave 0x10 1 1"}) {
        EXPECT_EQ(ErrorOf(std::string("stage a\n") + wave).rfind("line 2: wave needs three whole numbers", 0), 0u)
            << wave;
    }
}

TEST(WaveSource, KindsThatMakeNoEnemyAreAcceptedWithAWarning) {
    std::vector<waves::Stage> stages;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(waves::ParseWaveSource("stage a\nwave 13 1 1\nwave 14 1 1\nwave 33 1 1\nwave 0 1 1\n", stages,
                                       error, warnings));
    EXPECT_EQ(warnings, (std::vector<std::string>{"line 3: kind id 14 makes no enemy; the wave will be empty",
                                                  "line 5: kind id 0 makes no enemy; the wave will be empty"}));
    EXPECT_EQ(stages.at(0).waves.size(), 4u);
}

TEST(WaveData, BadStageSetsAreRefused) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(waves::BuildWaveData({{"same", 0, {}}, {"other", 0, {}}, {"same", 1, {}}}, 1, bytes, error));
    EXPECT_EQ(error, "stage key 'same' is given twice");
    EXPECT_FALSE(waves::BuildWaveData({{std::string(32, 'k'), 0, {}}}, 1, bytes, error));
    EXPECT_NE(error.find("longer than 31"), std::string::npos);
}

}  // namespace
