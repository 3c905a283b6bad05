#include "tower/BaseCharacter.h"

#include <algorithm>

#include "audio/DirectSound.h"
#include "base/Language.h"
#include "gfx/Device.h"
#include "tower/StageCounters.h"
#include "tower/TowerInput.h"

namespace {

constexpr float kIconSize = 32.0f;
constexpr float kShopLeft = 470.0f;
constexpr float kShopPitch = 37.0f;
constexpr float kShopTopRow = 130.0f;
constexpr float kShopBottomRow = 165.0f;
constexpr int kIconsPerRow = 5;
constexpr int kIconPulse = 15;
constexpr int kGameOverTicksMax = 61;
constexpr int kFlareTick = 60;
constexpr float kFlareY = 95.0f;

// The portrait sheet is 4 x 4 cells drawn 32 x 64.
constexpr float kPortraitWidth = 32.0f;
constexpr float kPortraitHeight = 64.0f;

void AddCell(AnimationStep& animation, int column, int row, int duration) {
    const float left = 0.25f * static_cast<float>(column);
    const float top = 0.25f * static_cast<float>(row);
    animation.AddFrame(left, left + 0.25f, top, top + 0.25f, duration);
}

PanelMode PanelModeFor(std::uint32_t cursorMode) {
    switch (cursorMode) {
        case TankObject::kSelect: return PanelMode::Tower;
        case TankObject::kSelectReplace: return PanelMode::Replace;
        case TankObject::kEnemyLocked: return PanelMode::Enemy;
        case TankObject::kPlacing:
        case TankObject::kPlacingRefused: return PanelMode::Shop;
        default: return PanelMode::None;
    }
}

void Play(DirectSound* sound) {
    if (sound != nullptr) {
        sound->PlayFromStart();
    }
}

}  // namespace

cBaseCharacter::cBaseCharacter(gfx::Device* device, const StageCounters& counters,
                               std::span<const CatalogueEntry, tower::kKindsPerCharacter> catalogue,
                               const CharacterArt& art)
    : device_(device), counters_(counters) {
    // The shop shows the texts in the language in use when the battle was built.
    std::transform(catalogue.begin(), catalogue.end(), catalogue_.begin(), [](CatalogueEntry entry) {
        entry.name = Tr(entry.name);
        entry.description = Tr(entry.description);
        entry.maxLevelNote = Tr(entry.maxLevelNote);
        return entry;
    });
    sellSound_ = assets_.Sound("sell.wav");
    putSound_ = assets_.Sound("put.wav");
    cursor.Init(device);
    panel.Init(device);
    CreateShop(art);
    CreatePortrait(art);
}

void cBaseCharacter::CreateShop(const CharacterArt& art) {
    gfx::Texture* const sheet = assets_.Texture(art.towerSheet);
    gfx::Texture* const plate = assets_.Texture("tankbase.png");
    for (int i = 0; i < tower::kKindsPerCharacter; ++i) {
        const float x = kShopLeft + kShopPitch * static_cast<float>(i % kIconsPerRow);
        const float y = i < kIconsPerRow ? kShopTopRow : kShopBottomRow;
        plates_[static_cast<std::size_t>(i)].Create(device_, plate, x, y, kIconSize, kIconSize);
        // Icon i shows the placed tower's picture: cell i of the 4 x 4 tower sheet.
        MouseChangeObject2D& icon = icons_[static_cast<std::size_t>(i)];
        icon.Create(device_, sheet, x, y, kIconSize, kIconSize);
        const float left = 0.25f * static_cast<float>(i % 4);
        const float top = 0.25f * static_cast<float>(i / 4);
        icon.SetAnimation(255, kIconPulse, left, left + 0.25f, 0.0f, top, top + 0.25f, 0.0f);
    }
}

void cBaseCharacter::CreatePortrait(const CharacterArt& art) {
    gfx::Texture* const sheet = assets_.Texture(art.portraitSheet);
    idle_.Create(device_, sheet, art.portraitX, art.idleY, kPortraitWidth, kPortraitHeight);
    for (int column = 0; column < 4; ++column) {
        AddCell(idle_, column, 0, 10);
    }
    hurt_.Create(device_, sheet, art.portraitX, art.hurtY, kPortraitWidth, kPortraitHeight);
    AddCell(hurt_, 0, 1, 2);
    AddCell(hurt_, 1, 1, 46);
    AddCell(hurt_, 3, 1, 2);
    working_.Create(device_, sheet, art.portraitX, art.workingY, kPortraitWidth, kPortraitHeight);
    for (int column = 0; column < 4; ++column) {
        AddCell(working_, column, 2, 8);
    }
    for (AnimationStep* animation : {&idle_, &hurt_, &working_}) {
        animation->Start();
    }
    flare_.Init(device_, assets_.Texture("flare.png"), art.portraitX, kFlareY, 10.0f, 15, 4.0f);
    flare_.alive = 1;
}

template <class Visit>
bool cBaseCharacter::VisitTowers(Visit visit) {
    for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
        for (const auto& tower : towers_[static_cast<std::size_t>(kind - 1)]) {
            if (visit(*tower, kind)) {
                return true;
            }
        }
    }
    return false;
}

PanelStyle cBaseCharacter::StyleFor(int kind, bool prep) const {
    return PanelStyle{prep, kind == tower::kSpellKind, kind == tower::kSoulKind};
}

int cBaseCharacter::HoveredEntry(const SceneContext& input) {
    int hovered = 0;
    for (int i = 0; i < tower::kKindsPerCharacter; ++i) {
        if (icons_[static_cast<std::size_t>(i)].HitTest(input, 0) && hovered == 0) {
            hovered = i + 1;
        }
    }
    return hovered;
}

int cBaseCharacter::ChosenEntry(const SceneContext& input) {
    HoveredEntry(input);
    const bool clicked = tower::MouseClicked(input);
    for (int i = 0; i < tower::kKindsPerCharacter; ++i) {
        // Keys "1".."9" choose entries 1..9 and "0" the tenth, the order they are watched in.
        const bool keyed = tower::KeyPressed(input, static_cast<WatchedKey>(kKey1 + i));
        if ((clicked && icons_[static_cast<std::size_t>(i)].hovered) || keyed) {
            return i + 1;
        }
    }
    return 0;
}

void cBaseCharacter::ShowEntry(int kind) {
    const CatalogueEntry& entry = Entry(kind);
    panel.SetValues(entry.price, entry.damage, entry.range);
    panel.SetName(entry.name, 0);
    panel.SetDescription1(entry.description);
    panel.SetDescription2(entry.maxLevelNote);
}

void cBaseCharacter::Notify(std::intptr_t /*argument*/) {}

void cBaseCharacter::UpdateInfo(const SceneContext& input, bool prep) {
    pointer_ = tower::Pointer{input.mouseX, input.mouseY};
    if (cursor.mode == TankObject::kSelectReplace) {
        return;
    }
    VisitTowers([&](cBaseCharacterTank& tower, int kind) {
        return tower.ShowTowerInfo(cursor, panel, StyleFor(kind, prep));
    });
    if (const int kind = ChosenEntry(input); kind != 0) {
        cursor.SetModeAndKind(TankObject::kPlacing, static_cast<std::uint32_t>(kind));
        cursor.SetRange(static_cast<float>(Entry(kind).range));
        ShowEntry(kind);
    }
    panel.SetMode(PanelModeFor(cursor.mode));
}

void cBaseCharacter::SelectTower(const SceneContext& input, bool prep) {
    const bool selected = VisitTowers([&](cBaseCharacterTank& tower, int kind) {
        return tower.SelectIfClicked(input, cursor, panel, kind, StyleFor(kind, prep));
    });
    const bool selecting = cursor.mode == TankObject::kSelect || cursor.mode == TankObject::kSelectReplace;
    if (!selected && tower::MouseClicked(input) && selecting) {
        cursor.SetMode(TankObject::kHidden);
    }
}

void cBaseCharacter::CheckPlacement(const SceneContext& /*input*/) {
    VisitTowers([&](cBaseCharacterTank& tower, int) { return tower.BlockIfOverlapping(cursor); });
}

bool cBaseCharacter::SpellUnderCursor() const {
    const TowerList& spells = towers_[static_cast<std::size_t>(tower::kSpellKind - 1)];
    return std::any_of(spells.begin(), spells.end(), [&](const auto& spell) {
        return spell->X() == cursor.x && spell->Y() == cursor.y && !spell->IsBusy();
    });
}

void cBaseCharacter::SellSelected(const SceneContext& input, bool prep, bool spellButton) {
    pointer_ = tower::Pointer{input.mouseX, input.mouseY};
    // With the spell button option the waves cannot be sold into: the button fires spells.
    const bool spellVariant = spellButton && !prep;
    if (spellVariant && SpellUnderCursor()) {
        panel.SetActivationText();
    }
    const bool requested = panel.ReleaseClicked(input, prep, spellButton) || tower::KeyPressed(input, kKeyS);
    if (!requested) {
        return;
    }
    if (spellVariant) {
        for (const auto& spell : towers_[static_cast<std::size_t>(tower::kSpellKind - 1)]) {
            if (spell->Sell(cursor, panel, false, true)) {
                return;
            }
        }
        return;
    }
    VisitTowers([&](cBaseCharacterTank& tower, int) { return tower.Sell(cursor, panel, prep, false); });
}

void cBaseCharacter::UpgradeSelected(const SceneContext& input, int& points, bool prep) {
    if (!panel.UpgradeClicked(input) && !tower::KeyPressed(input, kKeyU)) {
        return;
    }
    VisitTowers([&](cBaseCharacterTank& tower, int) { return tower.Upgrade(cursor, panel, points, prep); });
}

void cBaseCharacter::ReplaceSelected(const SceneContext& input, int& points, bool prep) {
    if (cursor.mode != TankObject::kSelectReplace) {
        return;
    }
    cursor.SetMode(TankObject::kSelect);
    VisitTowers([&](cBaseCharacterTank& tower, int kind) {
        return tower.ShowTowerInfo(cursor, panel, StyleFor(kind, prep));
    });
    cursor.SetMode(TankObject::kSelectReplace);
    if (const int hovered = HoveredEntry(input); hovered != 0) {
        ShowEntry(hovered);
    }
    const int newKind = ChosenEntry(input);
    if (newKind == 0 || points < Entry(newKind).price) {
        return;
    }
    const int price = Entry(newKind).price;
    for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
        TowerList& list = towers_[static_cast<std::size_t>(kind - 1)];
        for (std::size_t index = 0; index < list.size(); ++index) {
            if (!list[index]->Replace(cursor, points, prep, newKind, price)) {
                continue;
            }
            // In preparation the old tower goes and the new one stands in this very frame.
            if (prep) {
                FreedPlot none;
                ReapAt(kind, index, none, points, prep);
            }
            return;
        }
    }
}

bool cBaseCharacter::CanAfford(int points, int kind) const {
    return kind >= 1 && kind <= tower::kKindsPerCharacter && points >= Entry(kind).price;
}

bool cBaseCharacter::PlaceTower(int& points, int x, int y, int kind, bool free) {
    if (kind < 1 || kind > tower::kKindsPerCharacter) {
        return false;
    }
    const CatalogueEntry& entry = Entry(kind);
    if (!free && points < entry.price) {
        return false;
    }
    const TowerContext context{device_, &buildFlag, &counters_, &panel.LockOnTarget(), &assets_, &pointer_};
    std::unique_ptr<cBaseCharacterTank> tower = MakeTower(context, kind, x, y);
    tower->SetTexts(entry.name, entry.description, entry.maxLevelNote);
    towers_[static_cast<std::size_t>(kind - 1)].push_back(std::move(tower));
    if (!free) {
        points -= entry.price;
    }
    Play(putSound_);
    return true;
}

void cBaseCharacter::DrawTowers(EnemyList& /*enemies*/, bool running) {
    VisitTowers([&](cBaseCharacterTank& tower, int) {
        tower.Draw(running);
        return false;
    });
}

void cBaseCharacter::RunTowers(EnemyList& enemies, bool running) {
    VisitTowers([&](cBaseCharacterTank& tower, int) {
        tower.Fire(enemies, running);
        tower.UpdateBullets(running);
        return false;
    });
}

void cBaseCharacter::HitTowers(EnemyList& enemies, bool /*running*/) {
    VisitTowers([&](cBaseCharacterTank& tower, int) {
        tower.HitTest(enemies);
        return false;
    });
}

void cBaseCharacter::AfterHits(EnemyList& /*enemies*/, bool /*running*/) {}

void cBaseCharacter::ReapTowers(FreedPlot& freed, int& points, bool prep) {
    freed = FreedPlot{};
    for (int kind = 1; kind <= tower::kKindsPerCharacter; ++kind) {
        const TowerList& list = towers_[static_cast<std::size_t>(kind - 1)];
        for (std::size_t index = 0; index < list.size(); ++index) {
            if (!list[index]->IsAlive()) {
                ReapAt(kind, index, freed, points, prep);
                return;
            }
        }
    }
}

void cBaseCharacter::ReapAt(int kind, std::size_t index, FreedPlot& freed, int& points, bool prep) {
    TowerList& list = towers_[static_cast<std::size_t>(kind - 1)];
    const std::unique_ptr<cBaseCharacterTank> gone = std::move(list[index]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    const ReapResult result = gone->Reap(points, prep, kind == tower::kSpellKind);
    if (result.sellSound) {
        Play(sellSound_);
    }
    if (result.replaceKind != 0) {
        PlaceTower(points, result.replaceX, result.replaceY, result.replaceKind, true);
    } else {
        freed = FreedPlot{result.freedX, result.freedY};
    }
}

void cBaseCharacter::DrawUi(bool /*running*/, bool menuOpen) {
    for (Object2D& plate : plates_) {
        plate.Draw(1);
    }
    // The icons are opaque squares whatever the sheet's alpha, fading only as they pulse.
    device_->SetTextureStageState(0, gfx::TextureStageState::AlphaArg1, gfx::TA_CURRENT);
    for (MouseChangeObject2D& icon : icons_) {
        icon.Draw(1);
    }
    device_->SetTextureStageState(0, gfx::TextureStageState::AlphaArg1, gfx::TA_TEXTURE);
    DrawPortrait(menuOpen);
}

void cBaseCharacter::DrawPortrait(bool menuOpen) {
    // The portrait keeps moving after the stage has ended and stops only under the pause menu.
    const int update = menuOpen ? 0 : 1;
    if (hurtFrames < 1) {
        (buildFlag ? working_ : idle_).Draw(update);
        return;
    }
    if (!menuOpen && counters_.lives <= 0 && gameOverTicks < kGameOverTicksMax) {
        ++gameOverTicks;
    }
    if (hurtRestart) {
        hurt_.Start();
        hurtRestart = false;
    }
    // During play the ticks stay 0 and the hurt face shows for its 50 frames; with no lives left
    // it flickers, then the flare bursts over it.
    if (gameOverTicks % 3 == 0) {
        hurt_.Draw(update);
        if (!menuOpen) {
            --hurtFrames;
        }
    }
    if (gameOverTicks > kFlareTick) {
        flare_.Update(update);
    }
}
