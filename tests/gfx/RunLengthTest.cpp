#include <gtest/gtest.h>

#include <algorithm>

#include "PixelTestKit.h"

namespace {

// Long runs go through the fast paths (several pixels at a time, separable filtering) and
// one-pixel runs through the plain per-pixel code; a pixel must come out the same either way.

std::unique_ptr<gfx::Texture> Noise(int width, int height, std::uint32_t seed) {
    return MakeTexture(width, height, [&seed](int, int) {
        seed = seed * 1664525u + 1013904223u;
        const std::uint32_t alpha = (seed >> 8) % 3 == 0 ? 0u : (seed >> 8) % 3 == 1 ? 0xFFu : (seed >> 24);
        return alpha << 24 | (seed >> 4 & 0xFFFFFF);
    });
}

struct Case {
    void (*preset)(gfx::Device*);
    std::uint32_t filter;
    std::uint32_t colour;
    float texelsPerPixel;
};

class Scene : public Canvas {
public:
    Scene(const Case& c, gfx::Texture* background, gfx::Texture* texture) {
        device.SetRenderState(gfx::RenderState::AlphaBlendEnable, 0);
        device.SetTexture(0, background);
        Strip(Rect(0, 0, 128, 16, 0xFFFFFFFFu));
        c.preset(&device);
        device.SetSamplerState(0, gfx::SamplerState::MinFilter, c.filter);
        device.SetSamplerState(0, gfx::SamplerState::MagFilter, c.filter);
        device.SetTexture(0, texture);
    }
};

TEST(RunLength, APixelComesOutTheSameWhateverTheLengthOfItsRun) {
    const auto background = Noise(128, 16, 7);
    const auto texture = Noise(64, 64, 11);
    const Case cases[] = {
        {&SetAlphaBlendStates, gfx::TEXF_POINT, 0xFFFFFFFFu, 1.0f},
        {&SetAlphaBlendStates, gfx::TEXF_LINEAR, 0xFFFFFFFFu, 1.0f},
        {&SetAlphaBlendStates, gfx::TEXF_LINEAR, 0xC0806040u, 0.375f},
        {&SetAlphaBlendStates, gfx::TEXF_LINEAR, 0xFFFFFFFFu, 3.5f},
        {&SetAlphaBlendStates, gfx::TEXF_POINT, 0x80FF20FFu, 1.625f},
        {&SetAdditiveStates, gfx::TEXF_LINEAR, 0xFFFFFFFFu, 1.0f},
        {&SetAdditiveStates, gfx::TEXF_POINT, 0xA0FFFFFFu, 0.5f},
        {&SetAdditiveTintStates, gfx::TEXF_LINEAR, 0xFF40A0FFu, 1.0f},
    };
    for (const Case& c : cases) {
        const float width = 64.0f;  // keeps every coordinate exact in binary
        const float u1 = width * c.texelsPerPixel / 64.0f;
        const float v0 = 0.25f;
        const float v1 = v0 + 10.0f * c.texelsPerPixel / 64.0f;
        // The quad as runs of the given width: 64 (eight or four pixels to a register), 12
        // (registers of both widths and a remainder) and 1 (pixel by pixel).
        const auto draw = [&](Scene& scene, int run) {
            for (int x = 0; x < 64; x += run) {
                const int end = std::min(x + run, 64);
                scene.Strip(Canvas::Rect(10.0f + x, 3, 10.0f + end, 13, c.colour, u1 * x / width, v0, u1 * end / width,
                                         v1));
            }
        };
        Scene reference(c, background.get(), texture.get());
        draw(reference, 1);
        for (const int run : {64, 12}) {
            Scene scene(c, background.get(), texture.get());
            draw(scene, run);
            int differences = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 128; ++x) {
                    differences += scene.At(x, y) != reference.At(x, y);
                }
            }
            EXPECT_EQ(differences, 0) << "runs of " << run << ", filter " << c.filter << ", colour " << std::hex
                                      << c.colour << ", scale " << c.texelsPerPixel;
        }
    }
}

}  // namespace
