#pragma once
#include "object/MouseChangeObject2D.h"
#include "scene/title/TitleKit.h"

// The main menu: game select, music room, option, quit.
class TitleMenu {
public:
    static constexpr int kItems = 4;

    void Init(gfx::Device* device, const title::Sounds& sounds);
    // Draws the items; on an active screen a click returns the screen it asks for.
    int Frame(const SceneContext& input, bool active);
    // Fetches the item sheet again, in the language now in use.
    void ReloadImages();

    int Hovered() const { return hovered_; }
    const gfx::Texture* ItemSheet() const { return items_[0].texture; }

private:
    gfx::Device* device_ = nullptr;
    const title::Sounds* sounds_ = nullptr;
    MouseChangeObject2D items_[kItems];
    int hovered_ = -1;
};
