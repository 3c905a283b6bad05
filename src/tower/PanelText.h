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
    const std::string& Text() const { return wanted_; }
    void SetPosition(float x, float y) { sprite_.SetPosition(x, y); }
    // Renders the text if it changed since it was last drawn, then draws it.
    void Draw();

private:
    TextTexture texture_;
    Object2D sprite_;
    std::string wanted_;
    std::string shown_;
    bool rendered_ = false;
    int fontHeight_ = 13;
    std::uint32_t colour_ = 0xFFFFFFFFu;
};
