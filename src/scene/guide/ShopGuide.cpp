#include "scene/guide/ShopGuide.h"

#include "base/Language.h"
#include "field/TankObject.h"
#include "tower/BaseCharacter.h"
#include "tower/Status.h"

namespace guide {

namespace {

constexpr int kMaxLevel = 5;
constexpr int kDimAlpha = 150;
constexpr std::uint32_t kCaptionColour = 0xFF505064u;
constexpr int kCaptionFont = 11;
constexpr std::uint32_t kKeyColour = 0xFFFFFFFFu;
constexpr Colour kPriceColour = {255, 235, 60};
constexpr Colour kKeyDigitColour = {255, 255, 255};
// Where the panel's columns and buttons stand (the panel's own layout).
constexpr float kCaptionY = 254.0f;
constexpr float kUpgradeX = 590.0f;
constexpr float kUpgradeY = 450.0f;
constexpr float kUpgradeSize = 44.0f;

// The key that chooses the entry in the shop: 1..9, and 0 for the tenth.
int ShortcutDigit(int kind) { return kind % 10; }

}  // namespace

void ShopGuide::Init(gfx::Device* device) {
    MakePlate(dim_, device, {0, 0, 0}, kDimAlpha);
    MakePlate(keyPlate_, device, {20, 20, 40}, 190);
    MakePlate(cursorPlate_, device, {255, 210, 80}, 255);
    for (SpriteNumber& price : prices_) {
        MakeSmallNumber(price, device, kPriceColour);
    }
    MakeSmallNumber(keys_, device, kKeyDigitColour);
    MakeSmallNumber(upgradeCost_, device, kPriceColour);
    const struct {
        PanelText* text;
        int width;
        std::uint32_t colour;
        const char* words;
    } captions[] = {
        // Fits: Tahoma 11, 64x1
        {&sellColumn_, 64, kCaptionColour, N_("売値")},
        // Fits: Tahoma 11, 64x1
        {&priceColumn_, 64, kCaptionColour, N_("価格")},
        // Fits: Tahoma 11, 64x1
        {&upgradeColumn_, 64, kCaptionColour, N_("強化後")},
        {&upgradeKey_.key, 16, kKeyColour, "U"},
        {&sellKey_.key, 16, kKeyColour, "S"},
        {&replaceKey_.key, 32, kKeyColour, "Shift"},
        {&upgradeKey_.pad, 16, kKeyColour, "X"},
        {&sellKey_.pad, 16, kKeyColour, "Y"},
        {&replaceKey_.pad, 32, kKeyColour, "RT"},
    };
    for (const auto& caption : captions) {
        caption.text->Init(device, 0.0f, 0.0f, caption.width, 16, kCaptionFont, caption.colour);
        caption.text->Set(Tr(caption.words));
    }
}

void ShopGuide::Draw(const cBaseCharacter& controller, int points, bool padHints) {
    DrawIcons(controller, points, padHints);
    if (padHints) {
        DrawShopCursor(controller);
    }
    const Status& panel = controller.panel;
    if (controller.cursor.mode == TankObject::kSelect && panel.Mode() == PanelMode::Tower) {
        DrawTowerPanel(controller, points, padHints);
    } else if (controller.cursor.mode == TankObject::kPlacing || controller.cursor.mode == TankObject::kPlacingRefused) {
        DrawCaption(priceColumn_, 508.0f, kCaptionY);
    }
}

void ShopGuide::DrawIcons(const cBaseCharacter& controller, int points, bool padHints) {
    for (int kind = 1; kind <= controller.EntryCount(); ++kind) {
        const MouseChangeObject2D& icon = controller.ShopIcon(kind);
        const int price = controller.Entry(kind).price;
        if (points < price) {
            DrawPlate(dim_, icon.x, icon.y, 32.0f, 32.0f);
        }
        if (!padHints) {
            keys_.SetPosition(icon.x - 11.0f, icon.y - 10.0f);
            keys_.DrawIntShadowed(ShortcutDigit(kind), false);
        }
        DrawRightAligned(prices_[static_cast<std::size_t>(kind - 1)], price, icon.x + 17.0f, icon.y + 10.0f);
    }
}

// A two-pixel frame round the icon of the entry being placed.
void ShopGuide::DrawShopCursor(const cBaseCharacter& controller) {
    const TankObject& cursor = controller.cursor;
    const bool placing = cursor.mode == TankObject::kPlacing || cursor.mode == TankObject::kPlacingRefused;
    if (!placing || cursor.kind < 1 || static_cast<int>(cursor.kind) > controller.EntryCount()) {
        return;
    }
    const MouseChangeObject2D& icon = controller.ShopIcon(static_cast<int>(cursor.kind));
    constexpr float kSide = 36.0f;
    constexpr float kEdge = 2.0f;
    const float offset = (kSide - kEdge) * 0.5f;
    DrawPlate(cursorPlate_, icon.x, icon.y - offset, kSide, kEdge);
    DrawPlate(cursorPlate_, icon.x, icon.y + offset, kSide, kEdge);
    DrawPlate(cursorPlate_, icon.x - offset, icon.y, kEdge, kSide);
    DrawPlate(cursorPlate_, icon.x + offset, icon.y, kEdge, kSide);
}

void ShopGuide::DrawTowerPanel(const cBaseCharacter& controller, int points, bool padHints) {
    const Status& panel = controller.panel;
    const bool upgradable = panel.Level() < kMaxLevel;
    DrawCaption(sellColumn_, upgradable ? 494.0f : 509.0f, kCaptionY);
    if (upgradable) {
        DrawCaption(upgradeColumn_, 552.0f, kCaptionY);
        const int cost = panel.Figures()[3];
        if (points < cost) {
            DrawPlate(dim_, kUpgradeX, kUpgradeY, kUpgradeSize, kUpgradeSize);
        }
        DrawRightAligned(upgradeCost_, cost, kUpgradeX + 14.0f, kUpgradeY + 15.0f);
        DrawKey(upgradeKey_.For(padHints), kUpgradeX + 15.0f, kUpgradeY - 17.0f, 11.0f);
    }
    if (!panel.ActivationShown()) {
        // At the buttons' left ends, where their captions leave room.
        DrawKey(sellKey_.For(padHints), 467.0f, 440.0f, 11.0f);
        DrawKey(replaceKey_.For(padHints), 475.0f, 465.0f, 28.0f);
    }
}

void ShopGuide::DrawKey(PanelText& key, float x, float y, float width) {
    DrawPlate(keyPlate_, x, y, width, 13.0f);
    DrawCaption(key, x - width * 0.5f + 2.0f, y + 1.0f);
}

// A caption is drawn with its text's left edge at `left`.
void ShopGuide::DrawCaption(PanelText& caption, float left, float y) {
    caption.SetPosition(left + caption.Width() * 0.5f, y);
    caption.Draw();
}

}  // namespace guide
