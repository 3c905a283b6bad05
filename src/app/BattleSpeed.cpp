#include "app/BattleSpeed.h"

#include "gfx/RenderPresets.h"
#include "object/DrawCrisp.h"

namespace {
constexpr int kTextWidth = 64;
constexpr int kTextHeight = 16;
constexpr float kCentreX = 36.0f;
constexpr float kCentreY = 9.0f;
}  // namespace

BattleSpeed NextSpeed(BattleSpeed speed) {
    switch (speed) {
    case BattleSpeed::Normal: return BattleSpeed::Double;
    case BattleSpeed::Double: return BattleSpeed::Quadruple;
    default: return BattleSpeed::Normal;
    }
}

void SpeedBadge::Init(gfx::Device* device) {
    text_.Create(device, kTextWidth, kTextHeight);
    sprite_.Create(device, text_.GetTexture(), kCentreX, kCentreY, static_cast<float>(kTextWidth),
                   static_cast<float>(kTextHeight));
    ready_ = true;
}

void SpeedBadge::Print(BattleSpeed speed) {
    text_.Clear();
    text_.SetFont("Tahoma", 14);
    text_.SetGreyGlyphs(true);
    // A dark edge first so the sign reads on any border colour.
    text_.SetColour(0xFF000000u);
    text_.Print(3, 2, ">> x%d", FramesPerShown(speed));
    text_.SetColour(0xFFFFE060u);
    text_.Print(2, 1, ">> x%d", FramesPerShown(speed));
    text_.ReleaseFont();
    printed_ = speed;
}

void SpeedBadge::Draw(gfx::Device* device, BattleSpeed speed) {
    if (!ready_ || speed == BattleSpeed::Normal) {
        return;
    }
    if (speed != printed_) {
        Print(speed);
    }
    SetAlphaBlendStates(device);
    DrawCrisp(sprite_);
}
