#include <gtest/gtest.h>

#include <algorithm>

#include "enemy/Enemy.h"
#include "scene/GameHarness.h"
#include "scene/bot/BattleView.h"
#include "scene/bot/FullFlow.h"
#include "scene/bot/HeadlessBattle.h"
#include "tower/SpellTanks.h"
#include "tower/TowerTable.h"

namespace {

// Full flow comes after about a thousand frames; the limit leaves room for a changed game.
constexpr int kFrameLimit = 4000;

std::size_t LiveEnemies(const GameMain& game) {
    const auto& enemies = game.Field()->Enemies();
    return static_cast<std::size_t>(std::count_if(enemies.begin(), enemies.end(), [](const auto& enemy) {
        return enemy->alive != 0 && enemy->dead == 0;
    }));
}

// The spell cast in full flow, seen in the spell's own terms: Ardel's barrier drawn, Sovia's beam
// firing.
bool SpellCast(const GameMain& game) {
    const auto& spells = game.Controller()->Towers(tower::kSpellKind);
    return std::any_of(spells.begin(), spells.end(), [&game](const auto& spell) {
        if (game.Request().character == 0) {
            return dynamic_cast<const Ardel_Bomb&>(*spell).SpellFrame() > 0;
        }
        const GreatBeamBullet* beam = dynamic_cast<const Sovia_Bomb&>(*spell).Beam();
        return beam != nullptr && beam->Firing();
    });
}

// What the frame full flow stopped on shows, read from the battle itself.
void ExpectFullFlow(const GameMain& game) {
    EXPECT_FALSE(game.Failed());
    EXPECT_GE(LiveEnemies(game), bot::FullFlow::kCrowd);
    for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
        const auto& towers = game.Controller()->Towers(kind);
        EXPECT_FALSE(towers.empty()) << "kind " << kind << " was never bought";
        EXPECT_TRUE(std::any_of(towers.begin(), towers.end(), [](const auto& tower) { return tower->AtWork(); }))
            << "kind " << kind;
    }
    EXPECT_TRUE(SpellCast(game));
    const TankObject& cursor = game.Controller()->cursor;
    ASSERT_EQ(cursor.mode, TankObject::kSelect);
    const auto& first = game.Controller()->Towers(1);
    EXPECT_TRUE(std::any_of(first.begin(), first.end(),
                            [&cursor](const auto& tower) { return tower->X() == cursor.x && tower->Y() == cursor.y; }))
        << "the selected tower is not the first kind's";
}

}  // namespace

// Every kind of each character's shop is bought through the shop's buttons and lined along the
// route; the battle stops on the first frame with the crowd, every kind at work, the spell cast
// and a tower selected.
TEST(FullFlow, EachCharactersBattleStopsOnAFrameShowingEveryKindAtWorkInACrowd) {
    GameHarness harness;
    for (int character = 0; character < 2; ++character) {
        bot::HeadlessBattle battle(harness.Device(), bot::FullFlow::Request(character), 1);
        bot::FullFlow flow(bot::FullFlow::Ending::Battle);
        ASSERT_TRUE(flow.Play(battle, kFrameLimit)) << flow.Lacking(bot::BattleView(battle.Game()));
        SCOPED_TRACE(character);
        ExpectFullFlow(battle.Game());
        EXPECT_FALSE(battle.Game().MenuOpen());
        EXPECT_TRUE(flow.Lacking(bot::BattleView(battle.Game())).empty());
    }
}

// The pause ending stops with the menu open, faded in, over a battle that still shows all of it.
TEST(FullFlow, ThePauseEndingStopsWithTheMenuOpenOverABattleInFullFlow) {
    GameHarness harness;
    bot::HeadlessBattle battle(harness.Device(), bot::FullFlow::Request(0), 2);
    bot::FullFlow flow(bot::FullFlow::Ending::PauseMenu);
    ASSERT_TRUE(flow.Play(battle, kFrameLimit)) << flow.Lacking(bot::BattleView(battle.Game()));
    EXPECT_TRUE(battle.Game().MenuOpen());
    ExpectFullFlow(battle.Game());
}

// Short of full flow, the battle says what it lacks instead of stopping.
TEST(FullFlow, ABattleShortOfFullFlowSaysWhatItLacks) {
    GameHarness harness;
    bot::HeadlessBattle battle(harness.Device(), bot::FullFlow::Request(1), 1);
    bot::FullFlow flow(bot::FullFlow::Ending::PauseMenu);
    EXPECT_FALSE(flow.Play(battle, 5));
    EXPECT_EQ(flow.Lacking(bot::BattleView(battle.Game())), "the stage has not started; the pause menu is not open");
    EXPECT_FALSE(flow.Play(battle, 600));
    const std::string lacking = flow.Lacking(bot::BattleView(battle.Game()));
    EXPECT_NE(lacking.find(" enemies of 200"), std::string::npos) << lacking;
    EXPECT_NE(lacking.find("the first kind's tower is not selected"), std::string::npos) << lacking;
}
