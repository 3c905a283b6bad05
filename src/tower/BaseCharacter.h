#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "effect/EffectBurst.h"
#include "field/TankObject.h"
#include "object/AnimationStep.h"
#include "object/MouseChangeObject2D.h"
#include "object/Object2D.h"
#include "tower/BaseCharacterTank.h"
#include "tower/Status.h"
#include "tower/TowerAssets.h"
#include "tower/TowerInput.h"
#include "tower/TowerTable.h"

class DirectSound;
struct SceneContext;
struct StageCounters;

// One entry of a character's catalogue: what the shop and the panel show before purchase.
struct CatalogueEntry {
    const char* name;
    const char* description;
    const char* maxLevelNote;
    int price;
    int damage;  // display figures; the tower's own table holds the real ones
    int range;   // -1: no range circle
};

// The pictures that set one character's controller apart.
struct CharacterArt {
    const char* towerSheet;
    const char* portraitSheet;
    // The portrait's centre in its idle, hurt and working animations.
    float portraitX;
    float idleY;
    float hurtY;
    float workingY;
};

// A plot that a reaped tower left empty; (0, 0) when none was freed.
struct FreedPlot {
    int x = 0;
    int y = 0;
    bool Any() const { return x != 0 || y != 0; }
};

// The player's side of a stage: the chosen character's catalogue and shop, every tower placed
// (one list per catalogue entry, in placement order), the placement cursor, the side panel and
// the character's portrait. The game scene keeps the points and calls the operations below in a
// fixed order every frame; towers are always visited in kind order 1..10 and placement order.
class cBaseCharacter {
public:
    virtual ~cBaseCharacter() = default;
    cBaseCharacter(const cBaseCharacter&) = delete;
    cBaseCharacter& operator=(const cBaseCharacter&) = delete;

    // Handed on by the game scene; the controller does not use it.
    virtual void Notify(std::intptr_t argument);
    // The panel for the cursor's mode; a shop click or shortcut key starts a placement. Does
    // nothing while a replacement is being chosen.
    virtual void UpdateInfo(const SceneContext& input, bool prep);
    // A click on a placed tower selects it; a click elsewhere ends a selection.
    virtual void SelectTower(const SceneContext& input, bool prep);
    // While placing: a plot overlapping a placed tower is refused.
    virtual void CheckPlacement(const SceneContext& input);
    // The panel's release button or "S": sells the selected tower, or with spellButton during
    // the waves fires a selected spell tower instead.
    virtual void SellSelected(const SceneContext& input, bool prep, bool spellButton);
    // The panel's upgrade button or "U".
    virtual void UpgradeSelected(const SceneContext& input, int& points, bool prep);
    // While a replacement is being chosen: a shop click or shortcut key orders it.
    virtual void ReplaceSelected(const SceneContext& input, int& points, bool prep);
    // Builds a tower of the kind on the plot; free when a replacement was paid for already.
    virtual bool PlaceTower(int& points, int x, int y, int kind, bool free);
    virtual bool CanAfford(int points, int kind) const;
    virtual void DrawTowers(EnemyList& enemies, bool running);
    // Every tower fires, then moves its shots.
    virtual void RunTowers(EnemyList& enemies, bool running);
    // Slot 12: after the hit tests; nothing happens there yet.
    virtual void AfterHits(EnemyList& enemies, bool running);
    // Removes at most one gone tower per frame, refunding it; freed is the plot it left.
    virtual void ReapTowers(FreedPlot& freed, int& points, bool prep);
    virtual void HitTowers(EnemyList& enemies, bool running);
    // The shop and the portrait.
    virtual void DrawUi(bool running, bool menuOpen);

    // Written by the scene: 50 frames of the hurt portrait when an enemy reaches the goal.
    int hurtFrames = 0;
    bool hurtRestart = false;
    int gameOverTicks = 0;
    // True while some tower is being built or taken down: the portrait shows it working.
    bool buildFlag = false;
    TankObject cursor;
    Status panel;

    int EntryCount() const { return tower::kKindsPerCharacter; }
    const CatalogueEntry& Entry(int kind) const { return catalogue_[static_cast<std::size_t>(kind - 1)]; }
    const std::vector<std::unique_ptr<cBaseCharacterTank>>& Towers(int kind) const {
        return towers_[static_cast<std::size_t>(kind - 1)];
    }
    const MouseChangeObject2D& ShopIcon(int kind) const { return icons_[static_cast<std::size_t>(kind - 1)]; }

protected:
    cBaseCharacter(gfx::Device* device, const StageCounters& counters,
                   std::span<const CatalogueEntry, tower::kKindsPerCharacter> catalogue, const CharacterArt& art);

    // The character's tower of that kind (1..10).
    virtual std::unique_ptr<cBaseCharacterTank> MakeTower(const TowerContext& context, int kind, int x,
                                                          int y) const = 0;

private:
    using TowerList = std::vector<std::unique_ptr<cBaseCharacterTank>>;

    // Offers every tower to visit(tower, kind) in kind and placement order until one accepts.
    template <class Visit>
    bool VisitTowers(Visit visit);
    void CreateShop(const CharacterArt& art);
    void CreatePortrait(const CharacterArt& art);
    PanelStyle StyleFor(int kind, bool prep) const;
    // The first shop entry under the mouse, or 0; every icon learns whether it is hovered.
    int HoveredEntry(const SceneContext& input);
    // The first entry clicked in the shop or chosen by its key this frame, or 0.
    int ChosenEntry(const SceneContext& input);
    void ShowEntry(int kind);
    void ReapAt(int kind, std::size_t index, FreedPlot& freed, int& points, bool prep);
    bool SpellUnderCursor() const;
    void DrawPortrait(bool menuOpen);

    gfx::Device* device_;
    const StageCounters& counters_;
    std::array<CatalogueEntry, tower::kKindsPerCharacter> catalogue_;
    TowerAssets assets_;
    tower::Pointer pointer_;
    DirectSound* sellSound_;
    DirectSound* putSound_;
    AnimationStep idle_;
    AnimationStep hurt_;
    AnimationStep working_;
    EffectBurst flare_;
    std::array<MouseChangeObject2D, tower::kKindsPerCharacter> icons_;
    std::array<Object2D, tower::kKindsPerCharacter> plates_;
    // Last, so the towers go first when the controller is deleted.
    std::array<TowerList, tower::kKindsPerCharacter> towers_;
};
