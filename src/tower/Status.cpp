#include "tower/Status.h"

#include <cstdio>

#include "base/EnemyKind.h"
#include "base/Language.h"
#include "base/SceneContext.h"
#include "enemy/Enemy.h"
#include "enemy/EnemyNames.h"
#include "gfx/Device.h"
#include "resource/FileClass.h"
#include "tower/TowerInput.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr int kCaptionFont = 13;
constexpr int kNameFont = 14;

// Text on the panel stays left of its gold border (x 631), ink and all: wider lines break.
constexpr float kTextRight = 630.0f;
// The second description and the replace note start at the details box's left edge, so that
// four lines hold every note.
constexpr float kNoteLeft = 466.0f;
// The replace button sits just below the release button; the two do not overlap.
constexpr float kReplaceY = 465.0f;

constexpr float kRowY[3] = {268.0f, 294.0f, 318.0f};
constexpr float kEnemyRowY[3] = {258.0f, 284.0f, 310.0f};
constexpr float kIconSize = 24.0f;
constexpr float kGlyphWidth = 18.0f;
constexpr float kGlyphHeight = 20.0f;
// The option byte that turns the release button of a spell tower into its trigger.
constexpr std::size_t kSpellButtonOption = 6;

// Fits: Tahoma 13, 86x1
constexpr char kReleaseFormat[] = N_("解放:(+%d)P");
// Fits: Tahoma 13, 58x1
constexpr char kActivation[] = N_("発動");
constexpr char kReplaceNote[] = N_NOTE("※置き換える砲台を選択\nして下さい。\n砲台は初期レベルで設置\nされる。");

// The enemy sheets the picture shows, by kind. A fairy squad is no enemy of its own and leaves
// the picture as it was.
constexpr const char* kEnemySheets[kEnemyKindCount] = {
    "enemy_f_red.png",   "enemy_f_blue.png",   "enemy_f_green.png", "enemy_f_yellow.png", nullptr,
    "enemy_wool.png",    "enemy_bigwool.png",  "enemy_evil.png",    "enemy_vernie.png",   "enemy_crow.png",
    "enemy_spirit.png",  "enemy_frelle.png",   "enemy_noctra.png",
};

void SetFilter(gfx::Device* device, std::uint32_t filter) {
    device->SetSamplerState(0, gfx::SamplerState::MinFilter, filter);
    device->SetSamplerState(0, gfx::SamplerState::MagFilter, filter);
}

// Whether the mouse is over the button now. The button would otherwise answer from an earlier
// test until it is next drawn, and a hidden button is not drawn.
bool MouseOver(MouseChangeObject2D& button, const SceneContext& input) {
    button.hovered = 0;
    return button.HitTest(input, 0);
}

void InitNumber(SpriteNumber& number, gfx::Device* device, float x, float y, float spacing, int red, int green,
                int blue) {
    number.Init(device, g_FileClass.FindTexture("number.png"), x, y, kGlyphWidth, kGlyphHeight, spacing, 0);
    number.SetColour(255, red, green, blue);
    number.SetShadow(0.6f, 2.0f, 255, 0x78, 0x78, 0x78);
}

}  // namespace

void Status::Init(gfx::Device* device) {
    device_ = device;
    const auto texture = [](const char* name) { return g_FileClass.FindTexture(name); };

    marker_.Create(device, texture("target.png"), 320.0f, 240.0f, 48.0f, 48.0f);
    marker_.SetRotation(0.0f, 0.004f);
    marker_.pulseStep = 5;
    background_.Create(device, texture("status_base.png"), 544.0f, 330.0f, 180.0f, 300.0f);
    upgradeBackground_.Create(device, texture("upgrade_base.png"), 544.0f, 320.0f, 180.0f, 270.0f);
    gfx::Texture* const button = texture("upgrade.png");
    upgradeButton_.Create(device, button, 590.0f, 450.0f, 48.0f, 48.0f);
    releaseButton_.Create(device, button, 510.0f, 440.0f, 100.0f, 24.0f);
    replaceButton_.Create(device, button, 510.0f, kReplaceY, 100.0f, 24.0f);
    for (MouseChangeObject2D* face : {&upgradeButton_, &releaseButton_, &replaceButton_}) {
        face->pulseStep = 10;
    }

    pointIcon_.Create(device, texture("p.png"), 500.0f, kRowY[0], kIconSize, kIconSize);
    attackIcon_.Create(device, texture("sword_icon.png"), 500.0f, kRowY[1], kIconSize, kIconSize);
    rangeIcon_.Create(device, texture("spread_icon.png"), 500.0f, kRowY[2], kIconSize, kIconSize);
    lifeIcon_.Create(device, texture("life_icon.png"), 500.0f, 254.0f, kIconSize, kIconSize);
    speedIcon_.Create(device, texture("speed_icon.png"), 500.0f, 310.0f, kIconSize, kIconSize);
    levelLabel_.Create(device, texture("level.png"), 485.0f, 218.0f, 32.0f, 16.0f);

    // Four steps of the southward walk; the texture is the selected enemy's sheet.
    picture_.Create(device, texture("life_icon.png"), 540.0f, 230.0f, 32.0f, 16.0f);
    for (int frame = 0; frame < 4; ++frame) {
        picture_.AddFrame(0.25f * static_cast<float>(frame), 0.25f * static_cast<float>(frame + 1), 0.5f, 0.625f, 8);
    }
    picture_.Start();

    // The name and first description run from the panel's left edge as far as they need; a
    // longer texture than the panel is wide only shows where text was written.
    name_.Init(device, 600.0f, 200.0f, 256, 16, kNameFont, kWhite);
    name_.SetShrinkWidth(static_cast<int>(kTextRight - (600.0f - 128.0f)));
    description1_.Init(device, 476.0f + 128.0f, 250.0f, 256, 64, kCaptionFont, kBlack);
    description1_.SetWrapWidth(static_cast<int>(kTextRight - 476.0f));
    description2_.Init(device, kNoteLeft + 128.0f, 398.0f, 256, 64, kCaptionFont, kBlack);
    description2_.SetWrapWidth(static_cast<int>(kTextRight - kNoteLeft));
    detailLabel_.Init(device, 484.0f + 32.0f, 355.0f, 64, 16, kNameFont, kRed);
    // Fits: Tahoma 14, 62x1
    detailLabel_.Set(Tr("詳細："));
    upgradeCaption_.Init(device, 608.0f, 452.0f, 64, 16, kCaptionFont, kWhite);
    // Fits: Tahoma 13, 52x1
    upgradeCaption_.Set(Tr("強化"));
    releaseCaption_.Init(device, 537.0f, 442.0f, 128, 16, kCaptionFont, kWhite);
    replaceCaption_.Init(device, 552.0f, kReplaceY + 2.0f, 128, 16, kCaptionFont, kWhite);
    // Fits: Tahoma 13, 70x1
    replaceCaption_.Set(Tr("置き換え"));
    replaceNote_.Init(device, kNoteLeft + 128.0f, 398.0f, 256, 64, kCaptionFont, kRed);
    replaceNote_.SetWrapWidth(static_cast<int>(kTextRight - kNoteLeft));
    replaceNote_.Set(Tr(kReplaceNote));
    cancelCaption_.Init(device, 548.0f, 452.0f, 128, 16, kCaptionFont, kWhite);
    // Fits: Tahoma 13, 74x1
    cancelCaption_.Set(Tr("キャンセル"));

    InitNumber(rows_[0], device, 520.0f, kRowY[0], -8.0f, 245, 255, 0);
    InitNumber(rows_[1], device, 520.0f, kRowY[1], -8.0f, 255, 0, 0);
    InitNumber(rows_[2], device, 520.0f, kRowY[2], -8.0f, 0, 0, 255);
    InitNumber(enemyRows_[0], device, 520.0f, kEnemyRowY[0], -10.0f, 255, 0, 0);
    InitNumber(enemyRows_[1], device, 520.0f, kEnemyRowY[1], -10.0f, 255, 255, 0);
    InitNumber(enemyRows_[2], device, 520.0f, kEnemyRowY[2], -10.0f, 20, 20, 20);
    levelNumber_.Init(device, texture("number.png"), 510.0f, 217.0f, 14.0f, 16.0f, -7.0f, 0);
    levelNumber_.SetColour(255, 0, 0, 0);
}

void Status::SetValues(int a, int b, int c) {
    a_ = a;
    b_ = b;
    c_ = c;
}

void Status::SetNextValues(int d, int e, int f) {
    d_ = d;
    e_ = e;
    f_ = f;
}

void Status::SetReleaseText(int points) {
    char caption[64];
    std::snprintf(caption, sizeof caption, Tr(kReleaseFormat), points);
    releaseCaption_.Set(caption);
    activation_ = false;
}

void Status::SetActivationText() {
    releaseCaption_.Set(Tr(kActivation));
    activation_ = true;
}

void Status::SetName(const std::string& name, int level) {
    level_ = level;
    if (level < 1) {
        name_.Set(name);
        return;
    }
    name_.Set(name + "Lv." + std::to_string(level));
}

void Status::SetDescription1(const std::string& text) { description1_.Set(text); }

void Status::SetDescription2(const std::string& text) { description2_.Set(text); }

void Status::SetMode(PanelMode mode) {
    mode_ = mode;
    if (mode != PanelMode::Enemy) {
        selected_.Reset();
        enemySelected_ = false;
    }
}

void Status::SelectEnemy(const Enemy& enemy) {
    selected_ = enemy.Ref();
    enemySelected_ = true;
}

void Status::ClearSelection() { SetMode(PanelMode::None); }

bool Status::UpgradeClicked(const SceneContext& input) {
    const bool over = MouseOver(upgradeButton_, input);
    return tower::MouseClicked(input) && mode_ == PanelMode::Tower && over;
}

bool Status::ReplaceClicked(const SceneContext& input) {
    const bool over = MouseOver(replaceButton_, input);
    return tower::MouseClicked(input) && mode_ == PanelMode::Tower && over;
}

bool Status::ReleaseClicked(const SceneContext& input, bool ready, bool activatable) {
    const bool over = MouseOver(releaseButton_, input);
    if (!tower::MouseClicked(input) || mode_ != PanelMode::Tower || !over) {
        return false;
    }
    if (activatable && !ready && !activation_) {
        return false;
    }
    ClearSelection();
    return true;
}

bool Status::CancelClicked(const SceneContext& input) {
    const bool over = MouseOver(releaseButton_, input);
    if (!tower::MouseClicked(input) || mode_ != PanelMode::Replace || !over) {
        return false;
    }
    ClearSelection();
    return true;
}

bool Status::Draw(std::span<const std::uint8_t, 7> options, bool prep, bool update) {
    if (enemySelected_) {
        return DrawEnemy(update);
    }
    background_.Draw(1);
    DrawPointFiltered(name_);
    DrawPointFiltered(description1_);
    switch (mode_) {
        case PanelMode::Tower: DrawTower(options, prep); break;
        case PanelMode::Replace: DrawReplacePrompt(); break;
        case PanelMode::Shop: DrawShopItem(); break;
        case PanelMode::None:
        case PanelMode::Enemy: break;
    }
    return false;
}

bool Status::DrawEnemy(bool update) {
    const Enemy* enemy = selected_.Get();
    if (enemy == nullptr || enemy->dead != 0 || enemy->alive == 0) {
        ClearSelection();
        return true;
    }
    pointIcon_.SetPosition(500.0f, 284.0f);
    lifeIcon_.SetPosition(500.0f, 258.0f);
    background_.Draw(1);
    ShowEnemyPicture(enemy->kind);
    name_.Set(Tr(EnemyDisplayName(enemy->kind)));

    picture_.Draw(update ? 1 : 0);
    SetFilter(device_, gfx::TEXF_POINT);
    levelLabel_.Draw(1);
    name_.Draw();
    SetFilter(device_, gfx::TEXF_LINEAR);
    for (Object2D* icon : {&lifeIcon_, &speedIcon_, &pointIcon_}) {
        icon->Draw(1);
    }

    levelNumber_.DrawInt(enemy->level, false);
    enemyRows_[0].DrawIntShadowed(static_cast<int>(enemy->hp), false);
    enemyRows_[1].DrawIntShadowed(static_cast<int>(enemy->reward), false);
    enemyRows_[2].DrawRealShadowed(enemy->currentSpeed, 2, false);

    marker_.FollowTo(enemy->x, enemy->y);
    marker_.Draw(1);
    return false;
}

void Status::ShowEnemyPicture(int kindId) {
    if (kindId == pictureKind_) {
        return;
    }
    if (!IsKindId(kindId)) {
        return;
    }
    const char* const sheet = kEnemySheets[static_cast<int>(KindOf(kindId)) - 1];
    if (sheet == nullptr) {
        return;
    }
    const bool big = IsBigKindId(kindId);
    pictureKind_ = kindId;
    picture_.texture = g_FileClass.FindTexture(sheet);
    const float size = big ? 48.0f : 32.0f;
    picture_.SetSize(size, size);
    picture_.linearFilter = big ? 1 : 0;
}

void Status::DrawCurrentRows(float iconX, float numberX) {
    Object2D* icons[3] = {&pointIcon_, &attackIcon_, &rangeIcon_};
    const int values[3] = {a_, b_, c_};
    for (int row = 0; row < 3; ++row) {
        icons[row]->SetPosition(iconX, kRowY[row]);
        icons[row]->Draw(1);
        rows_[row].SetShowPlus(false);
        rows_[row].SetPosition(numberX, kRowY[row]);
        rows_[row].DrawIntShadowed(values[row], values[row] < 1);
    }
}

void Status::DrawNextRows() {
    const int gains[3] = {d_, e_ - b_, f_ - c_};
    for (int row = 0; row < 3; ++row) {
        rows_[row].SetShowPlus(true);
        rows_[row].SetPosition(560.0f, kRowY[row]);
        // The price of the next level always shows; an unchanged figure shows the placeholder.
        rows_[row].DrawIntShadowed(gains[row], row > 0 && gains[row] == 0);
    }
}

void Status::DrawDetails() {
    DrawPointFiltered(detailLabel_);
    DrawPointFiltered(description2_);
}

void Status::DrawTower(std::span<const std::uint8_t, 7> options, bool prep) {
    if (level_ < 5) {
        DrawCurrentRows(485.0f, 505.0f);
        upgradeBackground_.Draw(1);
        DrawNextRows();
        DrawDetails();
        upgradeButton_.Draw(1);
        upgradeCaption_.Draw();
    } else {
        DrawCurrentRows(500.0f, 520.0f);
    }
    if (activation_) {
        releaseButton_.SetPosition(510.0f, 450.0f);
        releaseButton_.SetSize(60.0f, 48.0f);
        releaseButton_.Draw(1);
        releaseCaption_.SetPosition(560.0f, 452.0f);
        releaseCaption_.Draw();
        return;
    }
    releaseButton_.SetPosition(510.0f, 440.0f);
    releaseButton_.SetSize(100.0f, 24.0f);
    // With the spell button option, towers are not released while the waves run.
    const bool releaseHidden = options[kSpellButtonOption] != 0 && !prep;
    if (!releaseHidden) {
        releaseButton_.Draw(1);
        releaseCaption_.SetPosition(537.0f, 442.0f);
        releaseCaption_.Draw();
    }
    replaceButton_.Draw(1);
    replaceCaption_.Draw();
}

void Status::DrawReplacePrompt() {
    DrawCurrentRows(500.0f, 520.0f);
    releaseButton_.SetPosition(510.0f, 450.0f);
    releaseButton_.SetSize(100.0f, 24.0f);
    releaseButton_.Draw(1);
    DrawPointFiltered(replaceNote_);
    DrawPointFiltered(cancelCaption_);
}

void Status::DrawShopItem() {
    DrawCurrentRows(500.0f, 520.0f);
    DrawDetails();
}

void Status::DrawPointFiltered(PanelText& text) {
    SetFilter(device_, gfx::TEXF_POINT);
    text.Draw();
    SetFilter(device_, gfx::TEXF_LINEAR);
}
