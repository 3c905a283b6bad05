#include "tower/PanelText.h"

#include <algorithm>

#include "object/TextWrap.h"

namespace {

constexpr char kFont[] = "Tahoma";
// A shrinking line stays legible: at most this many pixels smaller than its size.
constexpr int kMostShrink = 3;

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
        texture_.SetFont(kFont, FittingFontHeight());
        texture_.SetGreyGlyphs(true);
        texture_.SetColour(colour_);
        lines_ = wrapWidth_ > 0 ? WrapText(wanted_, wrapWidth_,
                                           [this](const std::string& glyph) {
                                               const TextTexture::Extent extent = texture_.MeasureLine(glyph);
                                               return GlyphExtent{extent.advance, extent.inkRight};
                                           })
                                : wanted_;
        texture_.Print(0, 0, "%s", lines_.c_str());
        texture_.ReleaseFont();
        shown_ = wanted_;
        rendered_ = true;
    }
    sprite_.Draw(0);
}

int PanelText::FittingFontHeight() {
    int height = fontHeight_;
    texture_.SetFont(kFont, height);
    while (shrinkWidth_ > 0 && height > fontHeight_ - kMostShrink &&
           texture_.MeasureLine(wanted_).inkRight > shrinkWidth_) {
        texture_.SetFont(kFont, --height);
    }
    return height;
}

PanelText::InkBox PanelText::Ink() const {
    const gfx::Texture* texture = texture_.GetTexture();
    InkBox box;
    if (texture == nullptr || !rendered_) {
        return box;
    }
    const int width = texture->Width();
    int left = width;
    int top = texture->Height();
    int right = 0;
    int bottom = 0;
    const std::uint32_t* pixels = texture->Pixels();
    for (int y = 0; y < texture->Height(); ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] >>
                 24) != 0) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
        }
    }
    if (right == 0) {
        return box;
    }
    const float originX = sprite_.x - sprite_.width * 0.5f;
    const float originY = sprite_.y - sprite_.height * 0.5f;
    return {originX + static_cast<float>(left), originY + static_cast<float>(top), originX + static_cast<float>(right),
            originY + static_cast<float>(bottom), false};
}
