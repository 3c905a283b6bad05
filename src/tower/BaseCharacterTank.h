#pragma once
#include <string>

#include "field/Battlefield.h"
#include "object/IncreaseObject2D.h"
#include "object/Object2D.h"
#include "tower/TowerTable.h"

class Enemy;
class EnemyRef;
class Status;
class TankObject;
class TowerAssets;
struct SceneContext;
struct StageCounters;
namespace tower {
struct Pointer;
}

using EnemyList = Battlefield::EnemyList;

// What every tower reads from the controller that built it.
struct TowerContext {
    gfx::Device* device;
    bool* buildFlag;                // the controller's "a tower is being built or taken down"
    const StageCounters* counters;  // the wave count sets the pace of a sale
    const EnemyRef* lockOn;         // the panel's selected enemy: the player's lock-on target
    TowerAssets* assets;            // pictures and sounds shared by the controller's towers
    const tower::Pointer* pointer;  // the mouse, for the spell aimed with it
};

// How a tower fills the panel: the controller treats the spell and soul kinds specially.
struct PanelStyle {
    bool fullRefund;     // preparation: a sale gives back everything
    bool hideSellPrice;  // spell towers: a sale during the waves gives back nothing
    bool hideLevel;      // soul towers: they never go up, so their level is not shown
};

// What reaping a gone tower did. Either a plot was freed for the scene to reopen, or a
// replacement is to be built on it free of charge (its price was taken when it was ordered).
struct ReapResult {
    bool sellSound = false;
    int freedX = 0;  // (0, 0): no plot freed
    int freedY = 0;
    int replaceKind = 0;  // 0: no replacement
    int replaceX = 0;
    int replaceY = 0;
};

// The base of every tower: a kind standing on a 32 x 32 plot. It owns its sprites, runs the
// timed build animation of upgrades and sales, and answers the controller's requests for the
// plot under the cursor. Kinds add their attack through Fire, UpdateBullets and HitTest.
class cBaseCharacterTank {
public:
    virtual ~cBaseCharacterTank() = default;
    cBaseCharacterTank(const cBaseCharacterTank&) = delete;
    cBaseCharacterTank& operator=(const cBaseCharacterTank&) = delete;

    // Slot 1: no kind listens yet.
    virtual void Notify() {}
    // Runs the build animation and draws the ground, the tower and its level pips. While not
    // running everything is drawn and nothing moves or counts.
    virtual void Draw(bool running);
    // Moves, draws and removes the tower's shots.
    virtual void UpdateBullets(bool running) = 0;
    // This frame's attack; true when a shot was fired.
    virtual bool Fire(EnemyList& enemies, bool running) = 0;
    // One level up, loading that level's figures; nothing at the top level.
    virtual void LevelUp();
    // The one-shot spells trigger here.
    virtual void Activate() {}
    // The tower's shots against the enemies.
    virtual void HitTest(EnemyList& enemies) = 0;
    // Whether the frame shows the tower at work: its shots in flight, a discharge's glow, a cast
    // spell, a soul's light.
    virtual bool AtWork() const = 0;

    // The controller's requests. Each answers true when the cursor's plot is this tower's, so the
    // controller stops asking further towers.
    bool ShowTowerInfo(TankObject& cursor, Status& panel, const PanelStyle& style) const;
    bool SelectIfClicked(const SceneContext& input, TankObject& cursor, Status& panel, int kind,
                         const PanelStyle& style);
    bool BlockIfOverlapping(TankObject& cursor) const;
    // immediate (preparation) removes the tower at once; activateInstead fires a spell instead.
    bool Sell(TankObject& cursor, Status& panel, bool immediate, bool activateInstead);
    // Takes the price from points; an upgrade it cannot make still counts as handled.
    bool Upgrade(TankObject& cursor, Status& panel, int& points, bool immediate);
    // Takes newPrice from points now; the new tower goes up when this one is gone.
    bool Replace(TankObject& cursor, int& points, bool immediate, int newKind, int newPrice);
    // For a gone tower: the refund, and the plot or the replacement. A standing tower is left
    // alone and nothing is reported.
    ReapResult Reap(int& points, bool fullRefund, bool isSpell);

    void SetTexts(const char* newName, const char* newDescription, const char* newMaxLevelNote);

    int X() const { return x; }
    int Y() const { return y; }
    int Kind() const { return table_.kind; }
    bool IsAlive() const { return alive; }
    bool IsBusy() const { return busy; }
    bool IsActivated() const { return activated; }
    int Level() const { return level; }
    int Value() const { return value; }
    int UpgradeCost() const { return upgradeCost; }
    int DamageNow() const { return damage; }
    int NextDamage() const { return nextDamage; }
    double BuildAnim() const { return buildAnim; }
    // The range after weakening, which targeting, the range circle and the panel use.
    int EffectiveRange() const { return Weakened(range); }
    int EffectiveNextRange() const { return Weakened(nextRange); }

protected:
    cBaseCharacterTank(const TowerContext& context, const tower::KindTable& table, int x, int y);

    // Called once in every running frame the tower is drawn, before the build animation moves.
    virtual void OnRunningFrame() {}
    // Called when a sale or upgrade animation starts.
    virtual void OnAnimationStart() {}
    // Called after a level's figures were loaded, for the kind's own numbers.
    virtual void OnLevelLoaded() {}

    // Another tower was ordered for this plot and goes up once this one is gone.
    bool ReplacementOrdered() const { return replaceKind != 0; }
    // A tower attacks only while it stands, is not being built or sold, and the game runs.
    bool CanAct(bool running) const { return alive && !busy && !selling && running; }
    // Asks the enemies whether one weakens the tower; the first that does shrinks its range and
    // tints its ground for this frame.
    void CheckWeakening(const EnemyList& enemies);
    // The nearest enemy that can still be hit strictly inside the effective range; on equal
    // distances the earlier in the list. Null when none. With `accept`, only the enemies it
    // accepts count.
    Enemy* NearestInRange(const EnemyList& enemies, bool (*accept)(const Enemy&) = nullptr) const;
    struct AimPoint {
        float x;
        float y;
    };
    // The player's lock-on target when it is within the effective range, else the candidate.
    Enemy& AimedEnemy(Enemy& candidate) const;
    // The lock-on target while it can still be hit; null otherwise.
    Enemy* LockOnTarget() const;
    static bool CanBeHit(const Enemy& enemy);
    // Whether a blast's reach includes an enemy exactly at its edge.
    enum class BlastEdge { Included, Excluded };
    // A blast at the point: every enemy but `spared` that can still be hit and lies within reach
    // takes the tower's damage, without the hit sound.
    void DamageAround(EnemyList& enemies, const Enemy& spared, float px, float py, float reach,
                      BlastEdge edge) const;

    gfx::Device* Device() const { return context_.device; }
    // The player's lock-on reference itself, for shots that look at it in flight.
    const EnemyRef& LockOnRef() const { return *context_.lockOn; }
    TowerAssets& Assets() const { return *context_.assets; }
    // The mouse pointer; (0, 0) when the controller does not follow it.
    tower::Pointer PointerAt() const;
    const tower::KindTable& Table() const { return table_; }

    bool alive = true;
    bool selling = false;
    bool upgrading = false;
    bool activated = false;
    int value;
    int upgradeCost = 0;
    int damage = 0;
    int nextDamage = 0;
    int range = 0;
    int nextRange = 0;
    int level;
    bool busy = false;
    int replaceKind = 0;
    int replaceX = 0;
    int replaceY = 0;
    const char* name = "";
    const char* description = "";
    const char* maxLevelNote = "";
    double buildAnim = 0.0;
    double buildStep = 0.0;
    int rangePercent = 0;  // 0: nominal range; else the range is scaled to this percentage
    float hitWidth = 32.0f;
    float hitHeight = 32.0f;
    IncreaseObject2D progressBar;
    IncreaseObject2D levelPips;
    Object2D towerSprite;
    Object2D groundSprite;
    int x;
    int y;

private:
    void LoadLevel(int newLevel);
    void StartAnimation();
    void AdvanceAnimation(bool running);
    void DrawSprites(bool running);
    void FillPanel(Status& panel, const PanelStyle& style) const;
    bool UnderCursor(const TankObject& cursor) const;
    // An upgrade or sale is paid or running: further requests wait until it is over.
    bool Pending() const { return busy || selling || upgrading; }
    int Weakened(int nominal) const;

    TowerContext context_;
    const tower::KindTable& table_;
};
