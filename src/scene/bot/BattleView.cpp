#include "scene/bot/BattleView.h"

#include "scene/game/GameMain.h"

namespace bot {

int BattleView::Character() const { return game_.Request().character; }
int BattleView::Points() const { return game_.Counters().points; }
int BattleView::Lives() const { return game_.Counters().lives; }
int BattleView::Wave() const { return game_.Preparing() ? 0 : LevelGaugeShared::Get().currentWave + 1; }
int BattleView::WaveCount() const { return LevelGaugeShared::Get().waveCount; }
bool BattleView::Preparing() const { return game_.Preparing(); }
bool BattleView::Cleared() const { return game_.Cleared(); }
bool BattleView::Failed() const { return game_.Failed(); }
bool BattleView::MenuOpen() const { return game_.MenuOpen(); }
std::optional<field::PixelPos> BattleView::SelectedTower() const {
    const TankObject& cursor = game_.Controller()->cursor;
    if (cursor.mode != TankObject::kSelect) {
        return std::nullopt;
    }
    return field::PixelPos{cursor.x, cursor.y};
}
int BattleView::StageScore() const { return game_.StageScore(); }
const Battlefield& BattleView::Field() const { return *game_.Field(); }

std::vector<BattleView::EnemySight> BattleView::Enemies() const {
    std::vector<EnemySight> sights;
    for (const auto& enemy : game_.Field()->Enemies()) {
        if (enemy->alive != 0 && enemy->dead == 0) {
            sights.push_back({enemy->x, enemy->y, static_cast<float>(enemy->hp), enemy->IsFlying()});
        }
    }
    return sights;
}

std::vector<BattleView::TowerSight> BattleView::Towers() const {
    std::vector<TowerSight> sights;
    const cBaseCharacter& controller = *game_.Controller();
    for (int kind = 1; kind <= controller.EntryCount(); ++kind) {
        for (const auto& tower : controller.Towers(kind)) {
            if (tower->IsAlive()) {
                sights.push_back({kind, tower->X(), tower->Y(), tower->Level(), tower->UpgradeCost(), tower->IsBusy(),
                                  tower->AtWork()});
            }
        }
    }
    return sights;
}

int BattleView::Price(int kind) const { return game_.Controller()->Entry(kind).price; }
int BattleView::Range(int kind) const { return game_.Controller()->Entry(kind).range; }

field::PixelPos BattleView::ShopButton(int kind) const {
    const MouseChangeObject2D::Box box = game_.Controller()->ShopIcon(kind).HitBox();
    return {static_cast<int>(box.left + box.width * 0.5f), static_cast<int>(box.top + box.height * 0.5f)};
}

// A tower closes its plot's ground, so a built plot is refused like a wall.
bool BattleView::PlotFree(int x, int y) const { return !game_.Field()->PlotRefused(x, y); }

}  // namespace bot
