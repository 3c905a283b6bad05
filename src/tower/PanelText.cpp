#include "tower/PanelText.h"

namespace {

constexpr char kFont[] = "Tahoma";

}  // namespace

void PanelText::Init(gfx::Device* device, float x, float y, int width, int height, int fontHeight,
                     std::uint32_t colour) {
    fontHeight_ = fontHeight;
    colour_ = colour;
    texture_.Create(device, width, height);
    sprite_.Create(device, texture_.GetTexture(), x, y, static_cast<float>(width), static_cast<float>(height));
    // The texture's sides are rounded up to powers of two; show only the part written to.
    sprite_.uRight = static_cast<float>(width) / static_cast<float>(texture_.Width() > 0 ? texture_.Width() : width);
    sprite_.vBottom = static_cast<float>(height) / static_cast<float>(texture_.Height() > 0 ? texture_.Height() : height);
    sprite_.BuildVertices();
}

void PanelText::Draw() {
    if (!rendered_ || wanted_ != shown_) {
        texture_.Clear();
        texture_.SetFont(kFont, fontHeight_);
        texture_.SetGreyGlyphs(true);
        texture_.SetColour(colour_);
        texture_.Print(0, 0, "%s", wanted_.c_str());
        texture_.ReleaseFont();
        shown_ = wanted_;
        rendered_ = true;
    }
    sprite_.Draw(0);
}
