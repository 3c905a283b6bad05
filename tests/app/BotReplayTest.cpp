#include <gtest/gtest.h>

#include <string>

#include "app/BotReplay.h"
#include "app/ReplayFile.h"
#include "base/Random.h"
#include "field/StageTable.h"
#include "scene/GameHarness.h"

namespace {

// The first waves of a lunatic battle: towers built, enemies walking and shot, and short enough
// for a sanitizer build on a busy machine to play four of them well within the test's time.
constexpr int kFrameLimit = 12000;

field::StageRequest Lunatic(int character) {
    field::StageRequest request;
    request.difficulty = field::kLunatic;
    request.character = character;
    return request;
}

}  // namespace

// A battle the autoplayer plays, recorded, written out and read back, plays back in the same
// process to the same end, frame for frame; the replay holds what the game's shell records.
TEST(BotReplay, ARecordedBotBattlePlaysBackToTheSameEnd) {
    GameHarness harness;
    for (const char* strategy : {"plain", "maze"}) {
        Random::Seed(77);
        const RecordedBattle battle = PlayAndRecord(harness.Device(), Lunatic(0), strategy, nullptr, kFrameLimit);
        EXPECT_GE(battle.outcome.wavesStarted, 3) << strategy;
        EXPECT_EQ(battle.replay.frames, static_cast<std::uint32_t>(battle.outcome.frames));
        EXPECT_EQ(battle.replay.result, ResultOf(battle.outcome));
        EXPECT_EQ(battle.replay.loaderRandom, 77u);
        EXPECT_EQ(battle.replay.difficulty, static_cast<std::uint32_t>(field::kLunatic));
        EXPECT_EQ(battle.replay.character, 0u);

        Replay read;
        std::string error;
        ASSERT_TRUE(ParseReplay(FormatReplay(battle.replay), read, error)) << error;
        Random::Seed(12345);  // whatever this thread drew since does not matter
        EXPECT_EQ(PlayBack(harness.Device(), read), battle.outcome) << strategy;
    }
}

// The recorded random states decide the battle: the same input from another state is another
// battle, so a replay that did not record them could not show the battle it was made of.
TEST(BotReplay, TheRecordedRandomStatesAreTheOnesTheBattleDrewFrom) {
    GameHarness harness;
    Random::Seed(5);
    const RecordedBattle battle = PlayAndRecord(harness.Device(), Lunatic(0), "plain", nullptr, kFrameLimit);
    Replay other = battle.replay;
    other.battleRandom += 1;
    const bot::BattleOutcome moved = PlayBack(harness.Device(), other);
    EXPECT_EQ(moved.frames, battle.outcome.frames);
    Replay same = battle.replay;
    EXPECT_EQ(PlayBack(harness.Device(), same), battle.outcome);
    EXPECT_NE(moved, battle.outcome) << "the battle did not depend on its random numbers";
}

// A full-flow battle is recorded up to the frame that showed all of it, the replay's last, and
// plays back to the same end there; one that does not get there gives no replay.
TEST(BotReplay, AFullFlowBattleIsRecordedUpToItsFullFlowFrameAndPlaysBackThere) {
    GameHarness harness;
    Random::Seed(11);
    std::string lacking;
    const std::optional<RecordedBattle> battle =
        PlayIntoFullFlow(harness.Device(), 1, bot::FullFlow::Ending::Battle, 4000, lacking);
    ASSERT_TRUE(battle.has_value()) << lacking;
    EXPECT_EQ(battle->replay.frames, static_cast<std::uint32_t>(battle->outcome.frames));
    EXPECT_EQ(battle->replay.character, 1u);
    EXPECT_EQ(battle->replay.options[field::kOptionRichStart], 1);
    EXPECT_GT(battle->outcome.lives, 0);
    Replay read;
    std::string error;
    ASSERT_TRUE(ParseReplay(FormatReplay(battle->replay), read, error)) << error;
    EXPECT_EQ(PlayBack(harness.Device(), read), battle->outcome);

    Random::Seed(11);
    EXPECT_FALSE(PlayIntoFullFlow(harness.Device(), 1, bot::FullFlow::Ending::Battle, 100, lacking).has_value());
    EXPECT_EQ(lacking, "the stage has not started");
}
