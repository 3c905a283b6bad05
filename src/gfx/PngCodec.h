#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
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

// Where a picture is decoded to, asked for once its size is known: the first of height rows of
// stride pixels each (stride at least width), or null to stop.
struct PixelRows {
    std::uint32_t* first = nullptr;
    std::size_t stride = 0;
};
using PixelTarget = std::function<PixelRows(int width, int height)>;

// The same straight into the caller's memory, so that a texture needs no second copy. False on
// anything DecodePng refuses, or when the target gives no memory; what was written then is
// not a picture.
bool DecodePngInto(const void* bytes, std::size_t size, const PixelTarget& target);

// Encodes the pixels as an 8-bit RGBA PNG. Deterministic: the same pixels give the same bytes.
bool EncodePng(const std::uint32_t* argb, int width, int height, std::vector<std::uint8_t>& out);
bool WritePngFile(const std::string& path, const std::uint32_t* argb, int width, int height);

}  // namespace gfx
