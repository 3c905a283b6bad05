#pragma once

class Sprite;

// Draws the sprite with point filtering and leaves linear filtering behind, so pixel art and
// captions shown at their own size stay sharp.
void DrawCrisp(Sprite& sprite, int update = 1);
