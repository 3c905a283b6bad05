#include "gfx/ImageTexture.h"

#include <algorithm>

#include "gfx/PngCodec.h"

namespace {
constexpr std::uint32_t kColourKey = 0xFF00FF00u;
}

std::unique_ptr<gfx::Texture> CreateTextureFromImageBytes(gfx::Device* device, const void* bytes, std::size_t size) {
    if (device == nullptr) {
        return nullptr;
    }
    gfx::Image image;
    if (!gfx::DecodePng(bytes, size, image)) {
        return nullptr;
    }
    std::unique_ptr<gfx::Texture> texture = device->CreateTexture(image.width, image.height);
    if (texture == nullptr) {
        return nullptr;
    }
    std::uint32_t* pixels = texture->Lock();
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t* source = &image.argb[static_cast<std::size_t>(y) * image.width];
        std::uint32_t* target = pixels + static_cast<std::size_t>(y) * texture->Width();
        std::transform(source, source + image.width, target,
                       [](std::uint32_t c) { return c == kColourKey ? 0u : c; });
    }
    texture->Unlock();
    return texture;
}
