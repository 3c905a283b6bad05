#pragma once
#include <array>

#include "object/Object2D.h"
#include "object/SpriteNumber.h"
#include "scene/guide/GuideKit.h"
#include "tower/PanelText.h"
#include "tower/TowerTable.h"

class cBaseCharacter;
struct SceneContext;

namespace guide {

// The shop and the panel say what they mean: every icon shows its price and its key and is
// dimmed while the points do not cover it, the upgrade button shows its cost (dimmed likewise),
// the panel's columns are named and its buttons show their keys. While the pad was used last
// the buttons name its buttons instead (X, Y, RT), and a gold frame marks the entry being
// placed, the one the shoulders step from, in place of the digit keys.
class ShopGuide {
public:
    void Init(gfx::Device* device);
    void Draw(const cBaseCharacter& controller, int points, bool padHints);

private:
    // A key's caption and the pad button's that stands for it.
    struct KeyCaption {
        PanelText key;
        PanelText pad;
        PanelText& For(bool padHints) { return padHints ? pad : key; }
    };

    void DrawIcons(const cBaseCharacter& controller, int points, bool padHints);
    void DrawShopCursor(const cBaseCharacter& controller);
    void DrawTowerPanel(const cBaseCharacter& controller, int points, bool padHints);
    void DrawCaption(PanelText& caption, float left, float y);
    // A key's name on a dark badge centred at (x, y).
    void DrawKey(PanelText& key, float x, float y, float width);

    Object2D dim_;
    Object2D keyPlate_;
    Object2D cursorPlate_;
    std::array<SpriteNumber, tower::kKindsPerCharacter> prices_;
    SpriteNumber keys_;
    SpriteNumber upgradeCost_;
    PanelText sellColumn_;
    PanelText priceColumn_;
    PanelText upgradeColumn_;
    KeyCaption upgradeKey_;
    KeyCaption sellKey_;
    KeyCaption replaceKey_;
};

}  // namespace guide
