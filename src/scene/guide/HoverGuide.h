#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "object/Object2D.h"
#include "tower/PanelText.h"
#include "tower/Status.h"

class cBaseCharacter;
class Enemy;
struct SceneContext;

namespace guide {

// What the mouse rests on is explained: a shop icon shows its entry in a panel of the guide's
// own (the battle's panel is left alone), a placed tower shows its range, and a locked-on enemy's
// panel names what sets it apart.
class HoverGuide {
public:
    void Init(gfx::Device* device);
    void Draw(const cBaseCharacter& controller, const SceneContext& input, std::span<const std::uint8_t, 7> options,
              bool prep);

    // The traits line of an enemy kind id, empty for an enemy with none.
    static const char* Traits(int kindId);
    // The shop entry whose panel shows, 0 for none; for tests.
    int ShownEntry() const { return shownEntry_; }

private:
    void DrawShopEntry(const cBaseCharacter& controller, const SceneContext& input,
                       std::span<const std::uint8_t, 7> options, bool prep);
    void DrawTowerRange(const cBaseCharacter& controller, const SceneContext& input);
    void DrawTraits(const cBaseCharacter& controller);

    Status shopPanel_;
    int shownEntry_ = 0;
    Object2D range_;
    PanelText traits_;
};

}  // namespace guide
