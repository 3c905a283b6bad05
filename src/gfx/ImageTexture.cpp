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
    std::unique_ptr<gfx::Texture> texture;
    const bool decoded = gfx::DecodePngInto(bytes, size, [device, &texture](int width, int height) {
        texture = device->CreateTexture(width, height);
        return texture == nullptr ? gfx::PixelRows{}
                                  : gfx::PixelRows{texture->Lock(), static_cast<std::size_t>(texture->Width())};
    });
    if (!decoded) {
        return nullptr;
    }
    // Beyond the picture the texture stays transparent; within it the colour key is too.
    std::uint32_t* pixels = texture->Lock();
    const std::size_t texels = static_cast<std::size_t>(texture->Width()) * static_cast<std::size_t>(texture->Height());
    std::replace(pixels, pixels + texels, kColourKey, 0u);
    texture->Unlock();
    return texture;
}
