#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "field/FieldGrid.h"
#include "field/StageSetup.h"
#include "scene/bot/Autoplayer.h"
#include "scene/bot/BattleView.h"
#include "scene/bot/Strategy.h"

class GameMain;

namespace bot {

class HeadlessBattle;

// A battle in full flow, as the frames the drawing is measured on show it: the corridor at
// lunatic with a rich start, every kind of the character's shop bought a few times from the shop
// and lined along the route, waves called in one after another until a crowd fills the field, a
// spell cast, and one tower selected so that its range circle and the side panel show; and, for
// the pause ending, the pause menu open over all that. Played the way a player plays, through the
// mouse and the keyboard, so that a replay of it shows the same battle.
class FullFlow {
public:
    enum class Ending { Battle, PauseMenu };

    static constexpr int kTowersPerKind = 6;
    static constexpr std::size_t kCrowd = 200;
    static constexpr int kWaveCallEvery = 30;
    // The menu has faded in by then.
    static constexpr int kMenuFrames = 40;

    explicit FullFlow(Ending ending) : ending_(ending) {}

    static field::StageRequest Request(int character);

    // Plays the battle up to the first frame that shows all of it; false when it is over or has
    // run the frames first.
    bool Play(HeadlessBattle& battle, int frameLimit);
    // The input for the coming frame, delivered to the devices.
    void Act(const GameMain& game);
    // Whether the battle shows all of it in the frame it ran last.
    bool Reached(const BattleView& view) const { return Lacking(view).empty(); }
    // What the frame lacks of full flow, in words; empty when nothing.
    std::string Lacking(const BattleView& view) const;

private:
    void Think(const BattleView& view);
    void Buy(const BattleView& view);
    void CastSpell(const BattleView& view, const std::vector<BattleView::TowerSight>& spells);
    // The battle's part of full flow, without the menu.
    std::string BattleLacking(const BattleView& view) const;

    Ending ending_;
    Orders orders_;
    Hands hands_;
    int frame_ = 0;
    int lastWaveCall_ = 0;
    int menuOpenedAt_ = 0;
    int lastCast_ = 0;
    bool started_ = false;
    bool menuAsked_ = false;
    std::vector<field::PixelPos> tried_;  // plots ordered, built on or refused
    std::vector<field::PixelPos> cast_;   // spells cast
};

}  // namespace bot
