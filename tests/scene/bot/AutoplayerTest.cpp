#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "scene/bot/Autoplayer.h"
#include "scene/bot/BattleView.h"
#include "scene/bot/HeadlessBattle.h"
#include "scene/bot/RouteMap.h"
#include "field/Battlefield.h"
#include "field/StageTable.h"
#include "scene/GameHarness.h"

namespace {

// Longer than any stage: forty-odd waves about 1300 frames apart.
constexpr int kFrameLimit = 80000;

struct Outcome {
    bool cleared = false;
    bool failed = false;
    int lives = 0;
    int towers = 0;
    int wave = 0;
    std::string progress;
};

Outcome PlayOut(int stage, int difficulty, int character, const char* strategy) {
    GameHarness harness;
    field::StageRequest request;
    request.stage = stage;
    request.difficulty = difficulty;
    request.character = character;
    bot::HeadlessBattle battle(harness.Device(), request, 1);
    const GameMain& game = battle.Game();
    std::ostringstream progress;
    bot::Autoplayer player(bot::MakeStrategy(strategy), &progress);
    for (int frame = 0; frame < kFrameLimit && !battle.Over(); ++frame) {
        player.Act(game);
        battle.Frame();
    }
    player.Report(game);  // the closing line
    const bot::BattleView view(game);
    return {game.Cleared(), game.Failed(), view.Lives(), static_cast<int>(view.Towers().size()), view.Wave(),
            progress.str()};
}

}  // namespace

TEST(RouteMap, PathRunsFromEveryEntranceToTheExitThroughOpenGround) {
    for (int stage = 0; stage < 3; ++stage) {
        Battlefield field(stage, field::kLunatic);
        ASSERT_TRUE(field.BuildRoutes());
        const bot::RouteMap routes(field);
        ASSERT_FALSE(routes.Path().empty()) << "stage " << stage;
        for (const field::PixelPos cell : routes.Path()) {
            const field::CellPos at = field::PixelToCell(cell.x, cell.y);
            EXPECT_TRUE(field.Walls().IsOpen(at)) << "stage " << stage << " cell " << at.column << "," << at.row;
        }
        // A plot on the path sees more of it than one in a far corner.
        const field::PixelPos onPath = routes.Path()[routes.Path().size() / 2];
        EXPECT_GT(routes.Coverage(onPath, 60), routes.Coverage({-400, -400}, 60));
    }
}

TEST(Autoplayer, UnknownStrategiesAreRefused) {
    EXPECT_EQ(bot::MakeStrategy("nonsense"), nullptr);
    EXPECT_NE(bot::MakeStrategy("plain"), nullptr);
    EXPECT_NE(bot::MakeStrategy("maze"), nullptr);
}

// The first stage on easy is the one every new player meets: basic towers and upgrades clear it.
TEST(Autoplayer, PlainPlayClearsTheFirstStageOnEasyWithEitherCharacter) {
    for (int character = 0; character < 2; ++character) {
        const Outcome outcome = PlayOut(0, field::kEasy, character, "plain");
        EXPECT_TRUE(outcome.cleared) << "character " << character << "\n" << outcome.progress;
        EXPECT_GT(outcome.lives, 0);
        EXPECT_GE(outcome.towers, 8);
        EXPECT_NE(outcome.progress.find("wave 1/"), std::string::npos);
        EXPECT_NE(outcome.progress.find("cleared at wave"), std::string::npos);
    }
}

// The maze of basic towers makes the enemies walk further than the open field would.
TEST(Autoplayer, MazePlayLengthensThePathAndClearsTheFirstStageOnEasy) {
    GameHarness harness;
    bot::HeadlessBattle battle(harness.Device(), field::StageRequest{}, 1);
    const GameMain& game = battle.Game();
    battle.Frame();
    battle.Frame();
    const std::size_t openPath = bot::RouteMap(*game.Field()).Path().size();
    bot::Autoplayer player(bot::MakeStrategy("maze"), nullptr);
    while (game.Preparing()) {
        player.Act(game);
        battle.Frame();
    }
    EXPECT_GT(bot::RouteMap(*game.Field()).Path().size(), openPath + 10);
    const Outcome outcome = PlayOut(0, field::kEasy, 0, "maze");
    EXPECT_TRUE(outcome.cleared) << outcome.progress;
}

// Lunatic is not meant for basic towers alone: the balance table has plain play lose the first
// stage in the thirties. The waves wear it down rather than flood it at the start, so it holds
// out well past the first third of the forty waves.
TEST(Autoplayer, PlainPlayLosesTheFirstStageOnLunaticLateInTheStage) {
    const Outcome outcome = PlayOut(0, field::kLunatic, 0, "plain");
    EXPECT_TRUE(outcome.failed) << outcome.progress;
    EXPECT_EQ(outcome.lives, 0);
    EXPECT_NE(outcome.progress.find("lost at wave"), std::string::npos);
    EXPECT_GT(outcome.wave, 15) << outcome.progress;
}

namespace {

// Presses the same key twice and clicks twice, once.
class Twice : public bot::Strategy {
public:
    void Think(const bot::BattleView&, bot::Orders& orders) override {
        if (!thought_) {
            orders.Press(kKeyU);
            orders.Press(kKeyU);
            orders.LockOn({300, 300});
            orders.Press(kKeyS);
            orders.Press(kKeyS);
        }
        thought_ = true;
    }

private:
    bool thought_ = false;
};

}  // namespace

// The autoplayer's input reaches the battle through the devices as a player's taps do: every
// press is seen going down, also a second one of the same key, which must go up in between.
TEST(Autoplayer, EveryPressReachesTheBattleAsAPressEvenTwiceInARow) {
    GameHarness harness;
    bot::HeadlessBattle battle(harness.Device(), field::StageRequest{}, 1);
    bot::Autoplayer player(std::make_unique<Twice>(), nullptr);
    int upPresses = 0;
    int sPresses = 0;
    int clicks = 0;
    bool held = false;
    for (int frame = 0; frame < 20; ++frame) {
        player.Act(battle.Game());
        battle.Frame();
        const SceneContext& input = battle.Input();
        upPresses += input.keys[kKeyU].pressed;
        sPresses += input.keys[kKeyS].pressed;
        clicks += input.leftPressed;
        held = held || (input.leftHeld != 0 && input.mouseX == 300 && input.mouseY == 300);
    }
    EXPECT_EQ(upPresses, 2);
    EXPECT_EQ(sPresses, 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(held) << "the click was not on the enemy's place";
    EXPECT_EQ(battle.Input().keys[kKeyS].held, 0) << "a tap is let go";
}
