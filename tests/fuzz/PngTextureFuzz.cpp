// libFuzzer target: any bytes as a PNG entry of the graphics pack, through the texture maker the
// pack reader uses. A refused picture gives no texture and leaves the decoded image empty; an
// accepted one fits the size limit, lands in the top-left corner of a power-of-two texture that
// is transparent elsewhere, with only the pure green keyed out, and encodes and decodes back to
// the same pixels.
//
// libpng refuses a chunk whose checksum is wrong, so nearly every mutation would stop there: the
// mutator puts the checksums right after mutating, letting the damage reach inflate, the filters
// and the interlacing.
#include <cstdlib>
#include <cstring>

#include "gfx/ImageTexture.h"
#include "gfx/PngCodec.h"
#include "gfx/PngLayouts.h"
#include "gfx/SoftwareDevice.h"

namespace {

constexpr std::uint32_t kColourKey = 0xFF00FF00u;

bool IsPowerOfTwo(int side) { return side > 0 && (side & (side - 1)) == 0; }

bool TextureHoldsTheImage(const gfx::Texture& texture, const gfx::Image& image) {
    if (!IsPowerOfTwo(texture.Width()) || !IsPowerOfTwo(texture.Height()) || texture.Width() < image.width ||
        texture.Height() < image.height || texture.Width() >= 2 * image.width || texture.Height() >= 2 * image.height) {
        return false;
    }
    for (int y = 0; y < texture.Height(); ++y) {
        for (int x = 0; x < texture.Width(); ++x) {
            const std::uint32_t texel = texture.Pixels()[static_cast<std::size_t>(y) * texture.Width() + x];
            std::uint32_t expected = 0;
            if (x < image.width && y < image.height) {
                const std::uint32_t pixel = image.argb[static_cast<std::size_t>(y) * image.width + x];
                expected = pixel == kColourKey ? 0 : pixel;
            }
            if (texel != expected) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    std::vector<std::uint8_t> png(data, data + size);
    FixChunkCrcs(png);
    std::memcpy(data, png.data(), size);
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gfx::HeadlessFrameSink sink;
    static gfx::SoftwareDevice device(&sink);
    gfx::Image image;
    image.width = 1;  // a refusal must clear what was there
    const bool decoded = gfx::DecodePng(data, size, image);
    const std::unique_ptr<gfx::Texture> texture = CreateTextureFromImageBytes(&device, data, size);
    if (!decoded) {
        if (texture != nullptr || image.width != 0 || image.height != 0 || !image.argb.empty()) {
            std::abort();
        }
        return 0;
    }
    if (image.width < 1 || image.height < 1 || image.width > gfx::kMaxImageSide || image.height > gfx::kMaxImageSide ||
        image.argb.size() != static_cast<std::size_t>(image.width) * image.height) {
        std::abort();
    }
    if (texture == nullptr || !TextureHoldsTheImage(*texture, image)) {
        std::abort();
    }
    std::vector<std::uint8_t> encoded;
    gfx::Image again;
    if (!gfx::EncodePng(image.argb.data(), image.width, image.height, encoded) ||
        !gfx::DecodePng(encoded.data(), encoded.size(), again) || again.width != image.width ||
        again.height != image.height || again.argb != image.argb) {
        std::abort();
    }
    return 0;
}
