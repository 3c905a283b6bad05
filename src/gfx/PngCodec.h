#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gfx {

// A decoded picture: ARGB8888 pixels, row after row.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// Largest side a decoded image may have; anything bigger is refused as hostile.
constexpr int kMaxImageSide = 4096;

// False, leaving the image empty, on anything that is not a sound PNG within the size limit.
bool DecodePng(const void* bytes, std::size_t size, Image& image);

// Encodes the pixels as an 8-bit RGBA PNG. Deterministic: the same pixels give the same bytes.
bool EncodePng(const std::uint32_t* argb, int width, int height, std::vector<std::uint8_t>& out);
bool WritePngFile(const std::string& path, const std::uint32_t* argb, int width, int height);

}  // namespace gfx
