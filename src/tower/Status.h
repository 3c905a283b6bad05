#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "enemy/EnemyRef.h"
#include "object/AnimationStep.h"
#include "object/MouseChangeObject2D.h"
#include "object/Object2D.h"
#include "object/SpriteNumber.h"
#include "tower/LockonObj.h"
#include "tower/PanelText.h"

class Enemy;
struct SceneContext;

// What the side panel describes.
enum class PanelMode : int {
    None = 0,     // nothing selected
    Tower = 1,    // a placed tower, with its upgrade, release and replace buttons
    Replace = 2,  // choosing the kind that replaces the selected tower
    Enemy = 3,    // an enemy, locked on
    Shop = 4,     // a catalogue entry about to be placed
};

// The side panel under the shop: the figures of the selected tower or catalogue entry and the
// buttons that act on it, or the selected enemy with the lock-on marker that follows it. The
// selected enemy is the player's lock-on target; the towers read it through LockOnTarget.
class Status {
public:
    void Init(gfx::Device* device);

    // The three figures of rows P, attack and range, and those of the next level.
    void SetValues(int a, int b, int c);
    void SetNextValues(int d, int e, int f);
    // The release button offers the tower back for `points`.
    void SetReleaseText(int points);
    // The release button fires the selected spell instead.
    void SetActivationText();
    // level 0 hides the level; the panel treats a hidden level as one that can still go up.
    void SetName(const std::string& name, int level);
    void SetDescription1(const std::string& text);
    void SetDescription2(const std::string& text);
    // Any mode but Enemy drops the selected enemy.
    void SetMode(PanelMode mode);
    PanelMode Mode() const { return mode_; }

    void SelectEnemy(const Enemy& enemy);
    // Drops the selected enemy and shows nothing.
    void ClearSelection();
    const EnemyRef& LockOnTarget() const { return selected_; }
    bool ActivationShown() const { return activation_; }

    // Clicks on the buttons this frame. ReleaseClicked and CancelClicked also close the panel.
    bool UpgradeClicked(const SceneContext& input);
    bool ReplaceClicked(const SceneContext& input);
    // With the spell button option on (activatable) and the waves running (not ready), only a
    // spell tower's activation answers.
    bool ReleaseClicked(const SceneContext& input, bool ready, bool activatable);
    bool CancelClicked(const SceneContext& input);

    // Draws the panel. True in the frame it lets go of a selected enemy that died or is gone.
    bool Draw(std::span<const std::uint8_t, 7> options, bool prep, bool update);

    // What the figure rows show, for the scene's tests and tools.
    std::array<int, 6> Figures() const { return {a_, b_, c_, d_, e_, f_}; }
    int Level() const { return level_; }
    const std::string& ReleaseCaption() const { return releaseCaption_.Text(); }

    // Every text of the panel, for tests that check what is drawn fits where it is shown.
    std::array<const PanelText*, 9> Texts() const {
        return {&name_,           &description1_,   &description2_, &detailLabel_, &upgradeCaption_,
                &releaseCaption_, &replaceCaption_, &replaceNote_,  &cancelCaption_};
    }

    // The buttons are where the player clicks; tests and tools need their places.
    const MouseChangeObject2D& UpgradeButton() const { return upgradeButton_; }
    const MouseChangeObject2D& ReleaseButton() const { return releaseButton_; }
    const MouseChangeObject2D& ReplaceButton() const { return replaceButton_; }

private:
    bool DrawEnemy(bool update);
    void DrawTower(std::span<const std::uint8_t, 7> options, bool prep);
    void DrawReplacePrompt();
    void DrawShopItem();
    // The rows a, b, c with the icons at iconX and the numbers at numberX.
    void DrawCurrentRows(float iconX, float numberX);
    void DrawNextRows();
    void DrawDetails();
    void ShowEnemyPicture(int kindId);
    void DrawPointFiltered(PanelText& text);

    gfx::Device* device_ = nullptr;
    PanelMode mode_ = PanelMode::None;
    int a_ = 0, b_ = 0, c_ = 0;
    int d_ = 0, e_ = 0, f_ = 0;
    int level_ = 0;
    bool activation_ = false;
    EnemyRef selected_;
    bool enemySelected_ = false;  // set even after the enemy is deleted, until Draw notices
    int pictureKind_ = 0;

    LockonObj marker_;
    Object2D background_;
    Object2D upgradeBackground_;
    MouseChangeObject2D upgradeButton_;
    MouseChangeObject2D releaseButton_;
    MouseChangeObject2D replaceButton_;
    Object2D pointIcon_;
    Object2D attackIcon_;
    Object2D rangeIcon_;
    Object2D lifeIcon_;
    Object2D speedIcon_;
    Object2D levelLabel_;
    AnimationStep picture_;

    PanelText name_;
    PanelText description1_;
    PanelText description2_;
    PanelText detailLabel_;
    PanelText upgradeCaption_;
    PanelText releaseCaption_;
    PanelText replaceCaption_;
    PanelText replaceNote_;
    PanelText cancelCaption_;

    SpriteNumber rows_[3];
    SpriteNumber enemyRows_[3];
    SpriteNumber levelNumber_;
};
