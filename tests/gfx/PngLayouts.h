#pragma once
#include <png.h>

#include <cstdint>
#include <vector>

// PNG pictures for the decoding tests and the fuzzing seeds: layouts our own encoder never makes,
// and damage that gets past the checksums.

// Writes raw rows in any PNG layout.
struct PngLayout {
    int colourType;
    int bitDepth;
    bool interlaced;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
};

inline std::vector<std::uint8_t> EncodeRaw(const PngLayout& layout, int width, int height, const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, width, height, layout.bitDepth, layout.colourType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty()) {
        png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
    }
    if (!layout.paletteAlpha.empty()) {
        png_set_tRNS(png, info, layout.paletteAlpha.data(), static_cast<int>(layout.paletteAlpha.size()), nullptr);
    }
    png_write_info(png, info);
    const std::size_t rowBytes = raw.size() / static_cast<std::size_t>(height);
    std::vector<png_bytep> rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(const_cast<png_bytep>(raw.data() + rowBytes * y));
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

inline std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// Recomputes every chunk's CRC so that damage reaches the decoder's inner layers (inflate,
// filters, interlacing) instead of being caught at the checksum.
inline void FixChunkCrcs(std::vector<std::uint8_t>& png) {
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = static_cast<std::uint32_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 |
                                     png[at + 3];
        if (length > png.size() - at - 12) {
            return;
        }
        const std::uint32_t crc = Crc32(png.data() + at + 4, length + 4);
        for (int i = 0; i < 4; ++i) {
            png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        }
        at += 12 + length;
    }
}

