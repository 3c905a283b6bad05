#include "scene/title/TitleMenu.h"

#include "base/SceneContext.h"
#include "gfx/Device.h"
#include "gfx/RenderPresets.h"
#include "resource/FileClass.h"

namespace {

struct MenuItem {
    int band;  // of the eight bands of the caption sheet
    float y;
    float hitWidth;
    int screen;
};

constexpr MenuItem kMenuItems[TitleMenu::kItems] = {
    {0, 200.0f, 200.0f, title::kGameSelect},
    {5, 344.0f, 200.0f, title::kMusicRoom},
    {6, 392.0f, 160.0f, title::kOption},
    {7, 440.0f, 130.0f, title::kQuit},
};
constexpr const char kItemSheet[] = "title_select.png";
constexpr float kItemX = 520.0f;
constexpr int kHoveredShade = 255;
constexpr int kOtherShade = 100;

}  // namespace

void TitleMenu::Init(gfx::Device* device, const title::Sounds& sounds) {
    device_ = device;
    sounds_ = &sounds;
    gfx::Texture* sheet = g_FileClass.FindTexture(kItemSheet);
    for (int i = 0; i < kItems; ++i) {
        MouseChangeObject2D& item = items_[i];
        item.Create(device, sheet, kItemX, kMenuItems[i].y, 256.0f, 32.0f);
        title::ShowBand(item, kMenuItems[i].band, 8);
        item.SetHitBox(kMenuItems[i].hitWidth, 32.0f, 0.0f, 0.0f);
    }
}

void TitleMenu::ReloadImages() {
    for (MouseChangeObject2D& item : items_) {
        title::Refetch(item, kItemSheet);
    }
}

int TitleMenu::Frame(const SceneContext& input, bool active) {
    int hovered = -1;
    for (int i = 0; i < kItems && active; ++i) {
        if (items_[i].HitTest(input, 0)) {
            hovered = i;
            break;
        }
    }
    if (hovered >= 0 && hovered != hovered_) {
        title::Sounds::Play(sounds_->putOnCursor);
    }
    hovered_ = hovered;

    {
        StageFilterScope crisp(device_, gfx::TEXF_POINT);
        for (int i = 0; i < kItems; ++i) {
            const int shade = (i == hovered) ? kHoveredShade : kOtherShade;
            items_[i].red = items_[i].green = items_[i].blue = shade;
            items_[i].Draw(1);
        }
    }

    if (hovered >= 0 && input.leftPressed) {
        title::Sounds::Play(sounds_->gameDecide);
        return kMenuItems[hovered].screen;
    }
    return title::kStay;
}
