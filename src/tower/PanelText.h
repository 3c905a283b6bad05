#pragma once
#include <cstdint>
#include <string>

#include "object/Object2D.h"
#include "object/TextTexture.h"

// One piece of text on the side panel: the texture it is written into and the sprite that shows
// it. Rendering glyphs is slow, so the texture is written again only when the text changes.
class PanelText {
public:
    void Init(gfx::Device* device, float x, float y, int width, int height, int fontHeight, std::uint32_t colour);
    void Set(const std::string& text) { wanted_ = text; }
    // Lines wider than this many pixels break (object/TextWrap.h); 0 leaves the lines as given.
    void SetWrapWidth(int width) { wrapWidth_ = width; }
    // For a line that must stay one line: a text wider than this many pixels is set a size or
    // two smaller, as far as it needs; 0 never changes the size.
    void SetShrinkWidth(int width) { shrinkWidth_ = width; }
    // The text as it was last drawn, with the breaks the wrapping added.
    const std::string& ShownLines() const { return lines_; }
    int FontHeight() const { return fontHeight_; }
    float Height() const { return sprite_.height; }

    // Where the last drawn text left ink, in screen pixels (right and bottom exclusive), over its
    // whole texture, including any part the sprite does not show; empty when it left none.
    struct InkBox {
        float left = 0.0f;
        float top = 0.0f;
        float right = 0.0f;
        float bottom = 0.0f;
        bool empty = true;
    };
    InkBox Ink() const;
    const std::string& Text() const { return wanted_; }
    void SetPosition(float x, float y) { sprite_.SetPosition(x, y); }
    // The size of the box the text is written into.
    float Width() const { return sprite_.width; }
    // Renders the text if it changed since it was last drawn, then draws it.
    void Draw();

private:
    int FittingFontHeight();

    TextTexture texture_;
    Object2D sprite_;
    std::string wanted_;
    std::string shown_;
    std::string lines_;
    int wrapWidth_ = 0;
    int shrinkWidth_ = 0;
    bool rendered_ = false;
    int fontHeight_ = 13;
    std::uint32_t colour_ = 0xFFFFFFFFu;
};
