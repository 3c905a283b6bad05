#include "gfx/PngCodec.h"

#include <png.h>

#include <bit>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/FilePath.h"

namespace gfx {

static_assert(std::endian::native == std::endian::little, "decoded pixels are read as little-endian ARGB words");

namespace {

struct ReadCursor {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (length > cursor->size - cursor->offset) {
        png_error(png, "truncated");
    }
    std::memcpy(out, cursor->data + cursor->offset, length);
    cursor->offset += length;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// libpng reports through longjmp; these keep warnings quiet and errors fatal to the call only.
void SilentWarning(png_structp, png_const_charp) {}
[[noreturn]] void JumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

}  // namespace

bool DecodePngInto(const void* bytes, std::size_t size, const PixelTarget& target) {
    if (bytes == nullptr || size < 8 || png_sig_cmp(static_cast<png_const_bytep>(bytes), 0, 8) != 0) {
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &JumpOnError, &SilentWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    ReadCursor cursor{static_cast<const std::uint8_t*>(bytes), size, 0};
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &cursor, &ReadFromMemory);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    // Every chunk's CRC is checked, the compressed image data's included, so zlib's own checksum
    // of the data once inflated guards nothing more; skipping it saves a pass over every pixel
    // of the start-up load.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    // Everything becomes 8-bit RGBA.
    if (bitDepth == 16) {
        png_set_strip_16(png);
    }
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    // Blue, green, red, alpha in memory: the bytes of an ARGB pixel on this little-endian
    // machine, so libpng writes the pixels straight into place.
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    const PixelRows pixels = target(static_cast<int>(width), static_cast<int>(height));
    if (pixels.first == nullptr) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = reinterpret_cast<png_bytep>(pixels.first + static_cast<std::size_t>(y) * pixels.stride);
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool DecodePng(const void* bytes, std::size_t size, Image& image) {
    image = Image{};
    Image decoded;
    const bool read = DecodePngInto(bytes, size, [&decoded](int width, int height) {
        decoded.width = width;
        decoded.height = height;
        decoded.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        return PixelRows{decoded.argb.data(), static_cast<std::size_t>(width)};
    });
    if (read) {
        image = std::move(decoded);
    }
    return read;
}

bool EncodePng(const std::uint32_t* argb, int width, int height, std::vector<std::uint8_t>& out) {
    out.clear();
    if (argb == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &JumpOnError, &SilentWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        out.clear();
        return false;
    }
    png_set_write_fn(png, &out, &WriteToVector, &FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = argb + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = source[x];
            row[x * 4 + 0] = static_cast<std::uint8_t>(c >> 16);
            row[x * 4 + 1] = static_cast<std::uint8_t>(c >> 8);
            row[x * 4 + 2] = static_cast<std::uint8_t>(c);
            row[x * 4 + 3] = static_cast<std::uint8_t>(c >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WritePngFile(const std::string& path, const std::uint32_t* argb, int width, int height) {
    std::vector<std::uint8_t> bytes;
    if (!EncodePng(argb, width, height, bytes)) {
        return false;
    }
    std::FILE* file = OpenFile(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace gfx
