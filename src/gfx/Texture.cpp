#include "gfx/Texture.h"

#include <bit>
#include <cstddef>

namespace gfx {

int Texture::RoundUpToPowerOfTwo(int side) {
    if (side <= 1) {
        return 1;
    }
    return static_cast<int>(std::bit_ceil(static_cast<unsigned>(side)));
}

Texture::Texture(int width, int height)
    : width_(RoundUpToPowerOfTwo(width)),
      height_(RoundUpToPowerOfTwo(height)),
      widthLog2_(std::countr_zero(static_cast<unsigned>(width_))),
      heightLog2_(std::countr_zero(static_cast<unsigned>(height_))),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) + kTexelReadAhead, 0u) {}

std::unique_ptr<Texture> MakeTexture(int width, int height) {
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        return nullptr;
    }
    return std::make_unique<Texture>(width, height);
}

}  // namespace gfx
