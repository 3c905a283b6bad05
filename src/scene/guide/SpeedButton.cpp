#include "scene/guide/SpeedButton.h"

#include "audio/DirectSound.h"
#include "base/SceneContext.h"
#include "resource/FileClass.h"
#include "scene/guide/GuideKit.h"

namespace guide {

namespace {

constexpr const char* kCaptions[3] = {"x1", "x2", "x4"};

int CaptionIndex(int speed) { return speed >= 4 ? 2 : (speed >= 2 ? 1 : 0); }

}  // namespace

void SpeedButton::Init(gfx::Device* device) {
    MakePlate(border_, device, {200, 170, 90}, 255);
    MakePlate(face_, device, {40, 40, 110}, 240);
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        captions_[i].Init(device, 0.0f, 0.0f, 32, 16, 13, 0xFFFFFFFFu);
        captions_[i].Set(kCaptions[i]);
    }
    clickSound_ = g_FileClass.FindSound("select.wav");
}

bool SpeedButton::Contains(int x, int y) {
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    return fx >= kX - kWidth * 0.5f && fx <= kX + kWidth * 0.5f && fy >= kY - kHeight * 0.5f &&
           fy <= kY + kHeight * 0.5f;
}

void SpeedButton::Frame(SceneContext& input) {
    input.AddPointerSpot(static_cast<int>(kX), static_cast<int>(kY));
    const bool hovered = Contains(input.mouseX, input.mouseY);
    face_.red = hovered ? 80 : 40;
    face_.green = hovered ? 80 : 40;
    face_.blue = hovered ? 170 : 110;
    DrawPlate(border_, kX, kY, kWidth, kHeight);
    DrawPlate(face_, kX, kY, kWidth - 2.0f, kHeight - 2.0f);
    PanelText& caption = captions_[static_cast<std::size_t>(CaptionIndex(input.battleSpeed))];
    // The caption's texture is 32 wide; its two glyphs are about 14.
    caption.SetPosition(kX + 9.0f, kY + 1.0f);
    caption.Draw();
    if (hovered && input.leftPressed != 0) {
        input.speedAsked = 1;
        if (clickSound_ != nullptr) {
            clickSound_->PlayFromStart();
        }
    }
}

}  // namespace guide
