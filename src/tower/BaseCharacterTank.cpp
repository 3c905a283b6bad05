#include "tower/BaseCharacterTank.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "bullet/BulletGeometry.h"
#include "enemy/Enemy.h"
#include "enemy/EnemyRef.h"
#include "field/TankObject.h"
#include "gfx/Device.h"
#include "tower/StageCounters.h"
#include "tower/Status.h"
#include "tower/TowerAssets.h"
#include "tower/TowerInput.h"

namespace {

constexpr float kPlotSize = 32.0f;
// The progress bar is a row of 1 x 4 pixel steps, one per unit of the build animation; the
// level pips are 3 x 3 squares 2 pixels apart. Both come from swatches of "color.png".
constexpr float kMarkLeft = -11.0f;
constexpr float kPipsBelow = 10.0f;

const char* TowerSheet(tower::Character character) {
    return character == tower::Character::Ardel ? "ardel_tank.png" : "sovia_tank.png";
}

// Draws a sprite with the texture's alpha ignored, so the ground is an opaque square.
void DrawOpaque(gfx::Device* device, Object2D& sprite, int update) {
    device->SetTextureStageState(0, gfx::TextureStageState::AlphaArg1, gfx::TA_CURRENT);
    sprite.Draw(update);
    device->SetTextureStageState(0, gfx::TextureStageState::AlphaArg1, gfx::TA_TEXTURE);
}

}  // namespace

cBaseCharacterTank::cBaseCharacterTank(const TowerContext& context, const tower::KindTable& table, int plotX,
                                       int plotY)
    : value(table.value), level(table.startLevel), x(plotX), y(plotY), context_(context), table_(table) {
    LoadLevel(level);
    TowerAssets& assets = Assets();
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    gfx::Texture* const colours = assets.Texture("color.png");

    progressBar.Create(context.device, colours, fx + kMarkLeft, fy, 1.0f, 4.0f);
    progressBar.SetAnimation(255, 0, 0.52f, 0.58f, 0.0f, 0.02f, 0.18f, 0.0f);
    progressBar.SetLayout(0.0f, true);
    progressBar.count = 0;
    levelPips.Create(context.device, colours, fx + kMarkLeft, fy + kPipsBelow, 3.0f, 3.0f);
    levelPips.SetAnimation(255, 0, 0.62f, 0.68f, 0.0f, 0.02f, 0.18f, 0.0f);
    levelPips.SetLayout(2.0f, true);

    // Cell kind - 1 of the character's 4 x 4 sheet, the same picture as the shop icon.
    const int cell = table.kind - 1;
    const float left = 0.25f * static_cast<float>(cell % 4);
    const float top = 0.25f * static_cast<float>(cell / 4);
    towerSprite.Create(context.device, assets.Texture(TowerSheet(table.character)), fx, fy, kPlotSize, kPlotSize);
    towerSprite.SetAnimation(255, 0, left, left + 0.25f, 0.0f, top, top + 0.25f, 0.0f);
    groundSprite.Create(context.device, assets.Texture("towerground.png"), fx, fy, kPlotSize, kPlotSize);
}

void cBaseCharacterTank::SetTexts(const char* newName, const char* newDescription, const char* newMaxLevelNote) {
    name = newName;
    description = newDescription;
    maxLevelNote = newMaxLevelNote;
}

int cBaseCharacterTank::Weakened(int nominal) const {
    if (rangePercent == 0) {
        return nominal;
    }
    return static_cast<int>(static_cast<double>(rangePercent) * 0.01 * static_cast<double>(nominal));
}

void cBaseCharacterTank::LoadLevel(int newLevel) {
    const tower::LevelFigures& figures = table_.levels[newLevel];
    upgradeCost = figures.upgradeCost;
    damage = figures.damage;
    range = figures.range;
    nextDamage = table_.NextDamage(newLevel);
    nextRange = table_.NextRange(newLevel);
    OnLevelLoaded();
}

void cBaseCharacterTank::LevelUp() {
    if (level >= tower::kMaxLevel) {
        return;
    }
    ++level;
    Assets().Play("powerup.wav");
    value += upgradeCost;
    LoadLevel(level);
}

// --- Build animation -----------------------------------------------------------------------

void cBaseCharacterTank::Draw(bool running) {
    if (!alive) {
        return;
    }
    StartAnimation();
    if (running) {
        OnRunningFrame();
    }
    AdvanceAnimation(running);
    DrawSprites(running);
}

void cBaseCharacterTank::StartAnimation() {
    if (selling && !upgrading) {
        buildAnim = tower::kBuildLength;
        busy = true;
        selling = false;
        const tower::BuildPace& pace = tower::PaceOf(table_.character);
        const int waves = context_.counters->waveCount;
        if (table_.saleStep != 0.0) {
            buildStep = table_.saleStep;
        } else if (waves < tower::kLateSaleWave) {
            buildStep = -(pace.saleStart - pace.salePerWave * waves);
        } else {
            buildStep = -pace.saleLate;
        }
        OnAnimationStart();
    }
    if (upgrading && !selling) {
        buildAnim = 0.0;
        busy = true;
        upgrading = false;
        buildStep = tower::PaceOf(table_.character).upgrade / (level + 1.5);
        OnAnimationStart();
    }
}

void cBaseCharacterTank::AdvanceAnimation(bool running) {
    if (!busy) {
        return;
    }
    *context_.buildFlag = true;
    if (running) {
        buildAnim += buildStep;
        progressBar.count = std::max(0, static_cast<int>(buildAnim));
        if (buildAnim < 0.0) {
            alive = false;
            *context_.buildFlag = false;
        } else if (buildAnim > tower::kBuildLength) {
            LevelUp();
            busy = false;
            *context_.buildFlag = false;
        }
    }
}

void cBaseCharacterTank::DrawSprites(bool running) {
    const int update = running ? 1 : 0;
    groundSprite.BuildVertices();
    DrawOpaque(Device(), groundSprite, update);
    // A weakened tower's tint lasts one frame.
    groundSprite.red = 255;
    groundSprite.green = 255;
    groundSprite.blue = 255;
    // The bar lies on the plot, so it goes over the ground, where the tower would stand.
    if (busy) {
        progressBar.Draw(update);
    } else {
        towerSprite.Draw(update);
    }
    levelPips.count = std::max(level, 0);
    levelPips.Draw(update);
}

// --- Targeting -----------------------------------------------------------------------------

tower::Pointer cBaseCharacterTank::PointerAt() const {
    return context_.pointer != nullptr ? *context_.pointer : tower::Pointer{};
}

bool cBaseCharacterTank::CanBeHit(const Enemy& enemy) {
    // An enemy that walked out through the exit is gone though not dead: it is no target.
    return enemy.dead == 0 && enemy.alive != 0;
}

void cBaseCharacterTank::DamageAround(EnemyList& enemies, const Enemy& spared, float px, float py, float reach,
                                      BlastEdge edge) const {
    for (const auto& enemy : enemies) {
        if (enemy.get() == &spared || !CanBeHit(*enemy)) {
            continue;
        }
        const float distance = bullet::Distance(px, py, enemy->x, enemy->y);
        if (distance < reach || (edge == BlastEdge::Included && distance == reach)) {
            enemy->Damage(damage, false, false);
        }
    }
}

void cBaseCharacterTank::CheckWeakening(const EnemyList& enemies) {
    rangePercent = 0;
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    for (const auto& enemy : enemies) {
        if (enemy->WeakensTowerAt(fx, fy)) {
            rangePercent = std::abs(100 - static_cast<int>(enemy->TowerWeakenPercent()));
            groundSprite.red = 60;
            groundSprite.green = 60;
            groundSprite.blue = 255;
            return;
        }
    }
}

Enemy* cBaseCharacterTank::NearestInRange(const EnemyList& enemies, bool (*accept)(const Enemy&)) const {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    float best = static_cast<float>(EffectiveRange());
    Enemy* nearest = nullptr;
    for (const auto& enemy : enemies) {
        if (!CanBeHit(*enemy) || (accept != nullptr && !accept(*enemy))) {
            continue;
        }
        const float distance = bullet::Distance(fx, fy, enemy->x, enemy->y);
        if (distance < best) {
            best = distance;
            nearest = enemy.get();
        }
    }
    return nearest;
}

Enemy* cBaseCharacterTank::LockOnTarget() const {
    Enemy* const target = context_.lockOn->Get();
    return target != nullptr && CanBeHit(*target) ? target : nullptr;
}

Enemy& cBaseCharacterTank::AimedEnemy(Enemy& candidate) const {
    Enemy* const target = LockOnTarget();
    if (target != nullptr && bullet::Distance(static_cast<float>(x), static_cast<float>(y), target->x, target->y) <=
                                 static_cast<float>(EffectiveRange())) {
        return *target;
    }
    return candidate;
}

// --- The controller's requests -------------------------------------------------------------

bool cBaseCharacterTank::UnderCursor(const TankObject& cursor) const { return cursor.x == x && cursor.y == y; }

void cBaseCharacterTank::FillPanel(Status& panel, const PanelStyle& style) const {
    if (style.fullRefund) {
        panel.SetReleaseText(value);
    } else {
        panel.SetReleaseText(style.hideSellPrice ? 0 : tower::RefundOf(value));
    }
    panel.SetValues(value, damage, EffectiveRange());
    panel.SetNextValues(upgradeCost, nextDamage, EffectiveNextRange());
    panel.SetName(name, style.hideLevel ? 0 : level);
    panel.SetDescription1(description);
    panel.SetDescription2(maxLevelNote);
}

bool cBaseCharacterTank::ShowTowerInfo(TankObject& cursor, Status& panel, const PanelStyle& style) const {
    if (cursor.mode != TankObject::kSelect || !UnderCursor(cursor)) {
        return false;
    }
    cursor.SetRange(static_cast<float>(EffectiveRange()));
    FillPanel(panel, style);
    return true;
}

bool cBaseCharacterTank::SelectIfClicked(const SceneContext& input, TankObject& cursor, Status& panel, int kind,
                                         const PanelStyle& style) {
    if (busy || activated || !tower::MouseClicked(input)) {
        return false;
    }
    const float halfWidth = 0.5f * (hitWidth == 0.0f && hitHeight == 0.0f ? kPlotSize : hitWidth);
    const float halfHeight = 0.5f * (hitWidth == 0.0f && hitHeight == 0.0f ? kPlotSize : hitHeight);
    const auto mouseX = static_cast<float>(input.mouseX);
    const auto mouseY = static_cast<float>(input.mouseY);
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    if (!(fx - halfWidth < mouseX && mouseX < fx + halfWidth && fy - halfHeight < mouseY && mouseY < fy + halfHeight)) {
        return false;
    }
    cursor.SetModeAndKind(TankObject::kSelect, static_cast<std::uint32_t>(kind));
    cursor.SetPlot(x, y);
    cursor.SetRange(static_cast<float>(EffectiveRange()));
    panel.SetMode(PanelMode::Tower);
    FillPanel(panel, style);
    return true;
}

bool cBaseCharacterTank::BlockIfOverlapping(TankObject& cursor) const {
    if (std::abs(cursor.x - x) < 32 && std::abs(cursor.y - y) < 32) {
        cursor.SetMode(TankObject::kPlacingRefused);
        return true;
    }
    return false;
}

bool cBaseCharacterTank::Sell(TankObject& cursor, Status& panel, bool immediate, bool activateInstead) {
    if (!UnderCursor(cursor) || Pending()) {
        return false;
    }
    if (immediate) {
        alive = false;
    } else if (activateInstead) {
        Activate();
    } else {
        selling = true;
    }
    cursor.SetMode(TankObject::kHidden);
    panel.SetMode(PanelMode::None);
    return true;
}

bool cBaseCharacterTank::Upgrade(TankObject& cursor, Status& panel, int& points, bool immediate) {
    if (!UnderCursor(cursor)) {
        return false;
    }
    if (points < upgradeCost || level >= tower::kMaxLevel || Pending()) {
        return true;
    }
    points -= upgradeCost;
    if (immediate) {
        LevelUp();
    } else {
        upgrading = true;
    }
    cursor.SetRange(static_cast<float>(EffectiveRange()));
    panel.SetValues(value, damage, EffectiveRange());
    panel.SetNextValues(upgradeCost, nextDamage, EffectiveNextRange());
    return true;
}

bool cBaseCharacterTank::Replace(TankObject& cursor, int& points, bool immediate, int newKind, int newPrice) {
    if (!UnderCursor(cursor) || Pending()) {
        return false;
    }
    replaceKind = newKind;
    replaceX = x;
    replaceY = y;
    points -= newPrice;
    if (immediate) {
        alive = false;
    } else {
        selling = true;
    }
    cursor.SetMode(TankObject::kHidden);
    return true;
}

ReapResult cBaseCharacterTank::Reap(int& points, bool fullRefund, bool isSpell) {
    ReapResult result;
    if (alive) {
        return result;
    }
    if (fullRefund) {
        points += value;
    } else if (!isSpell) {
        points += tower::RefundOf(value);
    }
    // A spell that was used up during the waves goes quietly.
    result.sellSound = fullRefund || !isSpell;
    if (replaceKind != 0 && replaceX != 0 && replaceY != 0) {
        result.replaceKind = replaceKind;
        result.replaceX = replaceX;
        result.replaceY = replaceY;
    } else {
        result.freedX = x;
        result.freedY = y;
    }
    return result;
}
