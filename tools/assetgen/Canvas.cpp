#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

int RoundChannel(float v) { return static_cast<int>(std::lround(Clamp01(v) * 255.0f)); }

// One horizontal box-blur pass over premultiplied rows, written transposed so that the same
// routine does the vertical pass when called again.
void BoxBlurTransposed(const std::vector<Color>& in, std::vector<Color>& out, int width, int height, int radius) {
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    for (int y = 0; y < height; ++y) {
        const Color* row = &in[static_cast<std::size_t>(y) * width];
        Color sum{};
        for (int i = -radius; i <= radius; ++i) {
            const Color& c = row[std::clamp(i, 0, width - 1)];
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
        }
        for (int x = 0; x < width; ++x) {
            out[static_cast<std::size_t>(x) * height + y] = {sum.r * scale, sum.g * scale, sum.b * scale,
                                                             sum.a * scale};
            const Color& leaving = row[std::clamp(x - radius, 0, width - 1)];
            const Color& entering = row[std::clamp(x + radius + 1, 0, width - 1)];
            sum = {sum.r - leaving.r + entering.r, sum.g - leaving.g + entering.g, sum.b - leaving.b + entering.b,
                   sum.a - leaving.a + entering.a};
        }
    }
}

}  // namespace

Canvas::Canvas(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::Blend(int x, int y, const Color& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const float sa = Clamp01(c.a * coverage);
    if (sa <= 0.0f) {
        return;
    }
    Color& d = pixels_[Index(x, y)];
    const float outA = sa + d.a * (1.0f - sa);
    const float keep = d.a * (1.0f - sa);
    d = {(c.r * sa + d.r * keep) / outA, (c.g * sa + d.g * keep) / outA, (c.b * sa + d.b * keep) / outA, outA};
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float softness) {
    const int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x0 - softness - 1.0f)));
    const int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y0 - softness - 1.0f)));
    const int x1 = std::min(width_, static_cast<int>(std::ceil(shape.bounds.x1 + softness + 1.0f)));
    const int y1 = std::min(height_, static_cast<int>(std::ceil(shape.bounds.y1 + softness + 1.0f)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float coverage = Clamp01(0.5f - shape.distance(px, py) / softness);
            if (coverage > 0.0f) {
                Blend(x, y, paint(px, py), coverage);
            }
        }
    }
}

void Canvas::Glow(const Shape& shape, const Color& color, float reach) {
    const Box& b = shape.bounds;
    const int x0 = std::max(0, static_cast<int>(b.x0 - reach - 1.0f));
    const int y0 = std::max(0, static_cast<int>(b.y0 - reach - 1.0f));
    const int x1 = std::min(width_, static_cast<int>(b.x1 + reach + 2.0f));
    const int y1 = std::min(height_, static_cast<int>(b.y1 + reach + 2.0f));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float d = shape.distance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            const float t = d <= 0.0f ? 1.0f : Clamp01(1.0f - d / reach);
            if (t > 0.0f) {
                Blend(x, y, color, t * t);
            }
        }
    }
}

void Canvas::FillAll(const Paint& paint) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Blend(x, y, paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
        }
    }
}

void Canvas::Tint(const Paint& paint, float amount) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Color& d = pixels_[Index(x, y)];
            if (d.a <= 0.0f) {
                continue;
            }
            const Color p = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            const float a = d.a;
            d = Mix(d, p, Clamp01(p.a * amount));
            d.a = a;
        }
    }
}

Color Canvas::Sample(float x, float y) const {
    x = std::clamp(x - 0.5f, 0.0f, static_cast<float>(width_ - 1));
    y = std::clamp(y - 0.5f, 0.0f, static_cast<float>(height_ - 1));
    const int ix = std::min(static_cast<int>(x), width_ - 2 < 0 ? 0 : width_ - 2);
    const int iy = std::min(static_cast<int>(y), height_ - 2 < 0 ? 0 : height_ - 2);
    const float fx = width_ > 1 ? x - static_cast<float>(ix) : 0.0f;
    const float fy = height_ > 1 ? y - static_cast<float>(iy) : 0.0f;
    const int ix1 = std::min(ix + 1, width_ - 1);
    const int iy1 = std::min(iy + 1, height_ - 1);
    // Interpolate premultiplied so transparent neighbours do not bleed their colour in.
    Color sum{};
    const float weights[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
    const Color* taps[4] = {&pixels_[Index(ix, iy)], &pixels_[Index(ix1, iy)], &pixels_[Index(ix, iy1)],
                            &pixels_[Index(ix1, iy1)]};
    for (int i = 0; i < 4; ++i) {
        const float w = weights[i] * taps[i]->a;
        sum = {sum.r + taps[i]->r * w, sum.g + taps[i]->g * w, sum.b + taps[i]->b * w, sum.a + w};
    }
    if (sum.a <= 0.0f) {
        return {};
    }
    return {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a};
}

void Canvas::Draw(const Canvas& source, float x, float y, float w, float h, float opacity) {
    const int x0 = std::max(0, static_cast<int>(std::floor(x)));
    const int y0 = std::max(0, static_cast<int>(std::floor(y)));
    const int x1 = std::min(width_, static_cast<int>(std::ceil(x + w)));
    const int y1 = std::min(height_, static_cast<int>(std::ceil(y + h)));
    const float sx = static_cast<float>(source.Width()) / w;
    const float sy = static_cast<float>(source.Height()) / h;
    for (int py = y0; py < y1; ++py) {
        for (int px = x0; px < x1; ++px) {
            const float u = (static_cast<float>(px) + 0.5f - x) * sx;
            const float v = (static_cast<float>(py) + 0.5f - y) * sy;
            if (u < 0.0f || v < 0.0f || u > static_cast<float>(source.Width()) ||
                v > static_cast<float>(source.Height())) {
                continue;
            }
            Blend(px, py, source.Sample(u, v), opacity);
        }
    }
}

Canvas Canvas::Resized(int width, int height) const {
    Canvas out(width, height);
    // Shrinking a lot would alias with a plain bilinear tap, so blur a copy first.
    const float shrink = std::max(static_cast<float>(width_) / width, static_cast<float>(height_) / height);
    if (shrink > 2.5f) {
        Canvas soft = *this;
        soft.Blur(shrink * 0.5f);
        out.Draw(soft, 0, 0, static_cast<float>(width), static_cast<float>(height));
    } else {
        out.Draw(*this, 0, 0, static_cast<float>(width), static_cast<float>(height));
    }
    return out;
}

Canvas Canvas::Region(int x, int y, int width, int height) const {
    Canvas out(width, height);
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            if (x + px >= 0 && y + py >= 0 && x + px < width_ && y + py < height_) {
                out.Set(px, py, Get(x + px, y + py));
            }
        }
    }
    return out;
}

void Canvas::Blur(float radius) {
    if (radius < 0.5f || width_ == 0 || height_ == 0) {
        return;
    }
    // Three box passes approximate a Gaussian; work premultiplied.
    std::vector<Color> a(pixels_.size());
    std::vector<Color> b(pixels_.size());
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const Color& c = pixels_[i];
        a[i] = {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
    }
    const int box = std::max(1, static_cast<int>(std::lround(radius / 1.7f)));
    for (int pass = 0; pass < 3; ++pass) {
        BoxBlurTransposed(a, b, width_, height_, box);
        BoxBlurTransposed(b, a, height_, width_, box);
    }
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const Color& c = a[i];
        pixels_[i] = c.a > 1e-5f ? Color{c.r / c.a, c.g / c.a, c.b / c.a, Clamp01(c.a)} : Color{};
    }
}

void Canvas::AddHalo(float radius, const Color& color, float strength) {
    Canvas halo(width_, height_);
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        halo.pixels_[i] = WithAlpha(color, pixels_[i].a);
    }
    halo.Blur(radius);
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        Color under = halo.pixels_[i];
        under.a = Clamp01(under.a * strength * color.a);
        const Color& over = pixels_[i];
        const float outA = over.a + under.a * (1.0f - over.a);
        if (outA <= 0.0f) {
            continue;
        }
        const float keep = under.a * (1.0f - over.a);
        pixels_[i] = {(over.r * over.a + under.r * keep) / outA, (over.g * over.a + under.g * keep) / outA,
                      (over.b * over.a + under.b * keep) / outA, outA};
    }
}

void Canvas::AddOutline(const Color& color, float width) {
    Canvas rim(width_, height_);
    const int reach = static_cast<int>(std::ceil(width));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float best = 0.0f;
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int sx = x + dx;
                    const int sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_) {
                        continue;
                    }
                    const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
                    const float weight = Clamp01(width + 0.5f - d);
                    best = std::max(best, Get(sx, sy).a * weight);
                }
            }
            rim.Set(x, y, WithAlpha(color, best * color.a));
        }
    }
    rim.Draw(*this, 0, 0);
    *this = rim;
}

std::vector<std::uint32_t> Canvas::ToArgb() const {
    std::vector<std::uint32_t> out(pixels_.size());
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const Color& c = pixels_[i];
        const int a = RoundChannel(c.a);
        if (a == 0) {
            out[i] = 0;
            continue;
        }
        int r = RoundChannel(c.r);
        int g = RoundChannel(c.g);
        int b = RoundChannel(c.b);
        if (a == 255 && r == 0 && g == 255 && b == 0) {
            g = 254;
        }
        out[i] = (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(r) << 16) |
                 (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
    }
    return out;
}

void Canvas::FitInside() {
    // Below this the texel is not seen even on a bright background.
    constexpr float kVisible = 1.0f / 255.0f;
    int x0 = width_;
    int y0 = height_;
    int x1 = -1;
    int y1 = -1;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Get(x, y).a > kVisible) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) {
        return;
    }
    const float cx = static_cast<float>(width_) * 0.5f;
    const float cy = static_cast<float>(height_) * 0.5f;
    // Half extents the picture needs and may have (one texel of margin, and one more for the
    // bilinear spread of the shrink).
    const float needX = std::max(cx - static_cast<float>(x0), static_cast<float>(x1 + 1) - cx);
    const float needY = std::max(cy - static_cast<float>(y0), static_cast<float>(y1 + 1) - cy);
    const float scale = std::min({1.0f, (cx - 2.0f) / needX, (cy - 2.0f) / needY});
    if (x0 < 1 || y0 < 1 || x1 > width_ - 2 || y1 > height_ - 2) {
        const Canvas whole = *this;
        pixels_.assign(pixels_.size(), Color{0, 0, 0, 0});
        Draw(whole, cx - cx * scale, cy - cy * scale, static_cast<float>(width_) * scale,
             static_cast<float>(height_) * scale);
    }
    for (int x = 0; x < width_; ++x) {
        Set(x, 0, Color{0, 0, 0, 0});
        Set(x, height_ - 1, Color{0, 0, 0, 0});
    }
    for (int y = 0; y < height_; ++y) {
        Set(0, y, Color{0, 0, 0, 0});
        Set(width_ - 1, y, Color{0, 0, 0, 0});
    }
}

}  // namespace assetgen
