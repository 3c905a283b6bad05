#pragma once
#include <cstddef>
#include <memory>

#include "gfx/Device.h"

// A texture from PNG bytes: sides rounded up to powers of two with the picture in the top-left
// corner, opaque pure green (0xFF00FF00) made fully transparent. Null on any decoding failure.
std::unique_ptr<gfx::Texture> CreateTextureFromImageBytes(gfx::Device* device, const void* bytes, std::size_t size);
