#include "scene/bot/FullFlow.h"

#include <algorithm>
#include <utility>

#include "base/SceneContext.h"
#include "scene/bot/BattleView.h"
#include "scene/bot/HeadlessBattle.h"
#include "scene/bot/RouteMap.h"
#include "scene/game/GameMain.h"
#include "tower/TowerTable.h"

namespace bot {

namespace {

constexpr int kCorridor = 0;
// The selected tower is the first the shop sells.
constexpr int kSelectedKind = tower::kBasicKind;
// A spell cast is not at work at once (a beam charges first): the next one waits this long.
constexpr int kSpellWarmUp = 30;

std::vector<BattleView::TowerSight> OfKind(const std::vector<BattleView::TowerSight>& towers, int kind) {
    std::vector<BattleView::TowerSight> found;
    std::copy_if(towers.begin(), towers.end(), std::back_inserter(found),
                 [kind](const BattleView::TowerSight& tower) { return tower.kind == kind; });
    return found;
}

bool AnyAtWork(const std::vector<BattleView::TowerSight>& towers) {
    return std::any_of(towers.begin(), towers.end(), [](const BattleView::TowerSight& tower) { return tower.atWork; });
}

field::PixelPos PlotOf(const BattleView::TowerSight& tower) { return {tower.x, tower.y}; }

// Adds one more thing to a list said in words.
void Append(std::string& list, const std::string& what) {
    if (!list.empty()) {
        list.append("; ");
    }
    list.append(what);
}

}  // namespace

field::StageRequest FullFlow::Request(int character) {
    field::StageRequest request;
    request.stage = kCorridor;
    request.difficulty = field::kLunatic;
    request.character = character;
    request.options[field::kOptionRichStart] = 1;
    return request;
}

bool FullFlow::Play(HeadlessBattle& battle, int frameLimit) {
    for (int frame = 0; frame < frameLimit && !battle.Over(); ++frame) {
        Act(battle.Game());
        battle.Frame();
        if (Reached(BattleView(battle.Game()))) {
            return true;
        }
    }
    return false;
}

void FullFlow::Act(const GameMain& game) {
    const BattleView view(game);
    ++frame_;
    if (!view.MenuOpen()) {
        menuOpenedAt_ = 0;
    } else if (menuOpenedAt_ == 0) {
        menuOpenedAt_ = frame_;
    }
    if (!hands_.Busy()) {
        if (orders_.Empty()) {
            Think(view);
        }
        hands_.Take(orders_.Next());
    }
    hands_.Act();
}

void FullFlow::Think(const BattleView& view) {
    if (view.Cleared() || view.Failed()) {
        return;
    }
    if (view.MenuOpen()) {
        // The battle changed in the frame the menu took to open: back to it, to try again.
        if (!BattleLacking(view).empty()) {
            menuAsked_ = false;
            orders_.Press(kKeySpace);
        }
        return;
    }
    if (view.Preparing()) {
        Buy(view);
        if (orders_.Empty() && !started_) {
            started_ = true;
            orders_.Press(kKeyN);
            lastWaveCall_ = frame_;
        }
        return;
    }
    if (ending_ == Ending::PauseMenu && !menuAsked_ && BattleLacking(view).empty()) {
        menuAsked_ = true;
        orders_.Press(kKeySpace);
        return;
    }
    // Waves are called in until the crowd is there, and a little beyond, not so far that it
    // overruns the towers.
    if (frame_ - lastWaveCall_ >= kWaveCallEvery && view.Enemies().size() < kCrowd + kCrowd / 4) {
        lastWaveCall_ = frame_;
        orders_.Press(kKeyN);
        return;
    }
    const std::vector<BattleView::TowerSight> spells = OfKind(view.Towers(), tower::kSpellKind);
    if (!AnyAtWork(spells)) {
        CastSpell(view, spells);
        return;
    }
    const std::vector<BattleView::TowerSight> selectable = OfKind(view.Towers(), kSelectedKind);
    if (!selectable.empty() && view.SelectedTower() != PlotOf(selectable.front())) {
        orders_.Click(PlotOf(selectable.front()));
    }
}

// Casts a spell not cast before once the crowd is there; the one cast last has had its time to
// show first.
void FullFlow::CastSpell(const BattleView& view, const std::vector<BattleView::TowerSight>& spells) {
    if (view.Enemies().size() < kCrowd || frame_ - lastCast_ < kSpellWarmUp) {
        return;
    }
    const auto uncast = std::find_if(spells.begin(), spells.end(), [this](const BattleView::TowerSight& spell) {
        return std::find(cast_.begin(), cast_.end(), PlotOf(spell)) == cast_.end();
    });
    if (uncast == spells.end()) {
        return;
    }
    cast_.push_back(PlotOf(*uncast));
    lastCast_ = frame_;
    orders_.Click(PlotOf(*uncast));
    orders_.Press(kKeyS);
    // A beam turns after the pointer while it charges: across the middle of the route.
    const RouteMap routes(view.Field());
    if (!routes.Path().empty()) {
        orders_.MoveTo(routes.Path()[routes.Path().size() / 2]);
    }
}

// The next tower of the kind that has the fewest (so that every kind gets some of the best
// plots), on the best plot left beside the route for its range; nothing when the points or the
// plots have run out. (No upgrades: stronger towers would thin the crowd out.)
void FullFlow::Buy(const BattleView& view) {
    const std::vector<BattleView::TowerSight> towers = view.Towers();
    const RouteMap routes(view.Field());
    std::vector<std::pair<std::size_t, int>> kinds;  // towers standing, kind
    for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
        kinds.emplace_back(OfKind(towers, kind).size(), kind);
    }
    std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [standing, kind] : kinds) {
        if (standing >= static_cast<std::size_t>(kTowersPerKind) || view.Points() < view.Price(kind)) {
            continue;
        }
        // The spell and soul kinds may show no range: they go where the first kind's would see.
        const int range = view.Range(kind) > 0 ? view.Range(kind) : view.Range(kSelectedKind);
        const std::vector<field::PixelPos> plots = routes.BesidePath(view.Field(), range, tried_);
        if (plots.empty()) {
            continue;
        }
        tried_.push_back(plots.front());
        orders_.Buy(view.ShopButton(kind), plots.front());
        return;
    }
}

std::string FullFlow::BattleLacking(const BattleView& view) const {
    if (view.Preparing()) {
        return "the stage has not started";
    }
    if (view.Cleared() || view.Failed()) {
        return "the battle is over";
    }
    std::string lacking;
    const std::size_t enemies = view.Enemies().size();
    if (enemies < kCrowd) {
        Append(lacking, std::to_string(enemies) + " enemies of " + std::to_string(kCrowd));
    }
    const std::vector<BattleView::TowerSight> towers = view.Towers();
    std::string idle;
    for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
        if (!AnyAtWork(OfKind(towers, kind))) {
            idle.push_back(' ');
            idle.append(std::to_string(kind));
        }
    }
    if (!idle.empty()) {
        Append(lacking, "kinds not at work:" + idle);
    }
    const std::vector<BattleView::TowerSight> selectable = OfKind(towers, kSelectedKind);
    if (selectable.empty() || view.SelectedTower() != PlotOf(selectable.front())) {
        Append(lacking, "the first kind's tower is not selected");
    }
    return lacking;
}

std::string FullFlow::Lacking(const BattleView& view) const {
    std::string lacking = BattleLacking(view);
    const bool menuShown = view.MenuOpen() && menuOpenedAt_ != 0 && frame_ - menuOpenedAt_ >= kMenuFrames;
    if (ending_ == Ending::PauseMenu && !menuShown) {
        Append(lacking, "the pause menu is not open");
    }
    return lacking;
}

}  // namespace bot
