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
// the panel's columns are named and its buttons show their keys.
class ShopGuide {
public:
    void Init(gfx::Device* device);
    void Draw(const cBaseCharacter& controller, int points);

private:
    void DrawIcons(const cBaseCharacter& controller, int points);
    void DrawTowerPanel(const cBaseCharacter& controller, int points);
    void DrawCaption(PanelText& caption, float left, float y);
    // A key's name on a dark badge centred at (x, y).
    void DrawKey(PanelText& key, float x, float y, float width);

    Object2D dim_;
    Object2D keyPlate_;
    std::array<SpriteNumber, tower::kKindsPerCharacter> prices_;
    SpriteNumber keys_;
    SpriteNumber upgradeCost_;
    PanelText sellColumn_;
    PanelText priceColumn_;
    PanelText upgradeColumn_;
    PanelText upgradeKey_;
    PanelText sellKey_;
    PanelText replaceKey_;
};

}  // namespace guide
