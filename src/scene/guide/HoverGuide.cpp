#include "scene/guide/HoverGuide.h"

#include "base/EnemyKind.h"
#include "base/Language.h"
#include "base/SceneContext.h"
#include "enemy/Enemy.h"
#include "field/TankObject.h"
#include "resource/FileClass.h"
#include "scene/guide/GuideKit.h"
#include "tower/BaseCharacter.h"

namespace guide {

namespace {

constexpr float kPlotHalf = 16.0f;
constexpr int kRangeAlpha = 150;

}  // namespace

void HoverGuide::Init(gfx::Device* device) {
    shopPanel_.Init(device);
    range_.Create(device, g_FileClass.FindTexture("spread.png"), 0.0f, 0.0f, 2.0f, 2.0f);
    range_.alpha = kRangeAlpha;
    range_.BuildVertices();
    traits_.Init(device, 544.0f, 352.0f, 160, 48, 12, 0xFF202020u);
    traits_.SetWrapWidth(150);
}

const char* HoverGuide::Traits(int kindId) {
    if (!IsKindId(kindId)) {
        return "";
    }
    switch (KindOf(kindId)) {
        case EnemyKind::Furball: return N_TRAIT("特性：倒すと分裂することがある");
        case EnemyKind::BigFurball: return N_TRAIT("特性：倒すと二つに分裂する");
        case EnemyKind::EvilEye: return N_TRAIT("特性：装甲（ウェーブ数だけダメージを減らす）・妖怪");
        case EnemyKind::Vernie: return N_TRAIT("特性：飛行（壁を越えてまっすぐ進む）");
        case EnemyKind::Crow: return N_TRAIT("特性：足が速い");
        case EnemyKind::Ghost: return N_TRAIT("特性：幽霊（ダメージ半減、吸霊で弱くなる）");
        case EnemyKind::Frelle: return N_TRAIT("特性：減速が効かない・道が変わると迷う");
        case EnemyKind::Noctra: return N_TRAIT("特性：暗闇を広げる・妖怪");
        case EnemyKind::RedFairy:
        case EnemyKind::BlueFairy:
        case EnemyKind::GreenFairy:
        case EnemyKind::YellowFairy:
        case EnemyKind::FairySquad: break;
    }
    return "";
}

void HoverGuide::Draw(const cBaseCharacter& controller, const SceneContext& input,
                      std::span<const std::uint8_t, 7> options, bool prep) {
    DrawShopEntry(controller, input, options, prep);
    DrawTowerRange(controller, input);
    DrawTraits(controller);
}

// With nothing selected the battle draws no panel; a hovered icon shows its entry in ours.
void HoverGuide::DrawShopEntry(const cBaseCharacter& controller, const SceneContext& input,
                               std::span<const std::uint8_t, 7> options, bool prep) {
    int hovered = 0;
    if (controller.cursor.mode == TankObject::kHidden) {
        for (int kind = 1; kind <= controller.EntryCount() && hovered == 0; ++kind) {
            hovered = MouseOver(controller.ShopIcon(kind), input) ? kind : 0;
        }
    }
    if (hovered == 0) {
        shownEntry_ = 0;
        return;
    }
    if (hovered != shownEntry_) {
        const CatalogueEntry& entry = controller.Entry(hovered);
        shopPanel_.SetValues(entry.price, entry.damage, entry.range);
        shopPanel_.SetName(entry.name, 0);
        shopPanel_.SetDescription1(entry.description);
        shopPanel_.SetDescription2(entry.maxLevelNote);
        shopPanel_.SetMode(PanelMode::Shop);
        shownEntry_ = hovered;
    }
    shopPanel_.Draw(options, prep, true);
}

void HoverGuide::DrawTowerRange(const cBaseCharacter& controller, const SceneContext& input) {
    if (!TankObject::IsInField(input.mouseX, input.mouseY)) {
        return;
    }
    const TankObject& cursor = controller.cursor;
    for (int kind = 1; kind <= controller.EntryCount(); ++kind) {
        for (const auto& tower : controller.Towers(kind)) {
            const float dx = static_cast<float>(input.mouseX - tower->X());
            const float dy = static_cast<float>(input.mouseY - tower->Y());
            if (!tower->IsAlive() || dx < -kPlotHalf || dx >= kPlotHalf || dy < -kPlotHalf || dy >= kPlotHalf) {
                continue;
            }
            // The selected tower's circle is drawn already.
            const bool selected = cursor.mode == TankObject::kSelect && cursor.x == tower->X() && cursor.y == tower->Y();
            const int radius = tower->EffectiveRange();
            if (!selected && radius > 0 && controller.Entry(kind).range > 0) {
                range_.x = static_cast<float>(tower->X());
                range_.y = static_cast<float>(tower->Y());
                range_.SetSize(2.0f * static_cast<float>(radius), 2.0f * static_cast<float>(radius));
                range_.Draw(0);
            }
            return;
        }
    }
}

void HoverGuide::DrawTraits(const cBaseCharacter& controller) {
    if (controller.cursor.mode != TankObject::kEnemyLocked) {
        return;
    }
    const Enemy* enemy = controller.panel.LockOnTarget().Get();
    if (enemy == nullptr || enemy->alive == 0 || enemy->dead != 0) {
        return;
    }
    const char* traits = Traits(enemy->kind);
    if (traits[0] == '\0') {
        return;
    }
    traits_.Set(Tr(traits));
    traits_.Draw();
}

}  // namespace guide
