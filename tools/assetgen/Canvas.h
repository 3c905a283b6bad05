#pragma once
#include <cstdint>
#include <vector>

#include "Color.h"
#include "Paint.h"
#include "Shape.h"

namespace assetgen {

// A floating-point RGBA picture that the art code paints on. Pixel (x, y) covers x..x+1,
// so its centre is at (x + 0.5, y + 0.5).
class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Color fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Color Get(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, const Color& c) { pixels_[Index(x, y)] = c; }

    // Source-over compositing of one pixel; coverage scales the colour's alpha.
    void Blend(int x, int y, const Color& c, float coverage = 1.0f);

    // softness widens the anti-aliased edge (1 = one pixel).
    void Fill(const Shape& shape, const Paint& paint, float softness = 1.0f);
    void Fill(const Shape& shape, const Color& color, float softness = 1.0f) { Fill(shape, Solid(color), softness); }
    void Glow(const Shape& shape, const Color& color, float reach);
    void FillAll(const Paint& paint);
    // Paints only where the picture already has alpha, keeping that alpha (shading inside a form).
    void Tint(const Paint& paint, float amount);

    // Draws another canvas with its top-left corner at (x, y), scaled to w x h (bilinear).
    void Draw(const Canvas& source, float x, float y, float w, float h, float opacity = 1.0f);
    void Draw(const Canvas& source, float x, float y) {
        Draw(source, x, y, static_cast<float>(source.Width()), static_cast<float>(source.Height()));
    }
    Canvas Resized(int width, int height) const;
    Canvas Region(int x, int y, int width, int height) const;
    // Bilinear sample with the coordinates clamped to the picture.
    Color Sample(float x, float y) const;

    void Blur(float radius);
    // A soft halo of the given colour under the existing picture, shaped by its alpha.
    void AddHalo(float radius, const Color& color, float strength = 1.0f);
    // A dark rim just outside the picture's opaque parts: an outline for sprites.
    void AddOutline(const Color& color, float width);
    // Keeps the picture one transparent texel inside its edges, so that a sprite cut from a sheet
    // never runs into the next cell under linear filtering: a picture that reaches the border is
    // shrunk about its centre until it fits, and the border ring is cleared.
    void FitInside();

    // ARGB8888 with straight alpha. Fully transparent pixels become 0, and pure opaque green is
    // nudged off the colour key so that only intended transparency is ever keyed out.
    std::vector<std::uint32_t> ToArgb() const;

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

}  // namespace assetgen
