#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "PixelTestKit.h"
#include "gfx/InstructionSet.h"

namespace {

// Every instruction set this processor runs must draw the same frames bit for bit: the AVX2
// loops, the SSE2 loops and the plain ones, which are what machines without them draw with; and
// so must one thread and two, drawing each frame in bands of rows.

std::unique_ptr<gfx::Texture> Noise(int width, int height, std::uint32_t seed) {
    std::mt19937 random(seed);
    return MakeTexture(width, height, [&random](int, int) {
        const std::uint32_t bits = static_cast<std::uint32_t>(random());
        const std::uint32_t alpha = bits % 3 == 0 ? 0u : bits % 3 == 1 ? 0xFFu : bits >> 24;
        return alpha << 24 | (bits & 0xFFFFFF);
    });
}

void SetStage(gfx::Device& device, int stage, std::uint32_t colourOp, std::uint32_t colourArg1,
              std::uint32_t colourArg2, std::uint32_t alphaOp, std::uint32_t alphaArg1, std::uint32_t alphaArg2) {
    using gfx::TextureStageState;
    device.SetTextureStageState(stage, TextureStageState::ColorOp, colourOp);
    device.SetTextureStageState(stage, TextureStageState::ColorArg1, colourArg1);
    device.SetTextureStageState(stage, TextureStageState::ColorArg2, colourArg2);
    device.SetTextureStageState(stage, TextureStageState::AlphaOp, alphaOp);
    device.SetTextureStageState(stage, TextureStageState::AlphaArg1, alphaArg1);
    device.SetTextureStageState(stage, TextureStageState::AlphaArg2, alphaArg2);
}

// The states of one batch of quads: the game's presets and stage set-ups it does not use today.
void SetBatchStates(gfx::Device& device, int batch, gfx::Texture* second) {
    switch (batch % 6) {
    case 0: SetAlphaBlendStates(&device); break;
    case 1: SetAdditiveStates(&device); break;
    case 2: SetAdditiveTintStates(&device); break;
    case 3:
        SetAlphaBlendStates(&device);
        SetStage(device, 0, gfx::TOP_SELECTARG1, gfx::TA_TEXTURE, gfx::TA_DIFFUSE, gfx::TOP_SELECTARG2,
                 gfx::TA_TEXTURE, gfx::TA_DIFFUSE);
        break;
    case 4:
        SetAlphaBlendStates(&device);
        device.SetTexture(1, second);
        SetStage(device, 1, gfx::TOP_ADD, gfx::TA_TEXTURE, gfx::TA_CURRENT, gfx::TOP_MODULATE, gfx::TA_CURRENT,
                 gfx::TA_TEXTURE);
        break;
    default:
        device.SetTexture(1, nullptr);
        device.SetRenderState(gfx::RenderState::AlphaBlendEnable, batch % 12 == 5 ? 0 : 1);
        device.SetRenderState(gfx::RenderState::SrcBlend, gfx::BLEND_ONE);
        device.SetRenderState(gfx::RenderState::DestBlend, gfx::BLEND_SRCALPHA);
        break;
    }
    const std::uint32_t filter = batch % 4 < 2 ? gfx::TEXF_LINEAR : gfx::TEXF_POINT;
    const std::uint32_t address = batch % 3 == 0 ? gfx::TADDRESS_MIRROR : batch % 3 == 1 ? gfx::TADDRESS_WRAP
                                                                                          : gfx::TADDRESS_CLAMP;
    for (int stage = 0; stage < 2; ++stage) {
        device.SetSamplerState(stage, gfx::SamplerState::MinFilter, filter);
        device.SetSamplerState(stage, gfx::SamplerState::MagFilter, filter);
        device.SetSamplerState(stage, gfx::SamplerState::AddressU, address);
        device.SetSamplerState(stage, gfx::SamplerState::AddressV, address);
    }
}

// A quad anywhere (partly off the frame too), of any size and scale, turned or not, with a flat
// colour or one per corner.
std::vector<QuadVertex> RandomQuad(std::mt19937& random) {
    const auto real = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const float cx = static_cast<float>(std::round(real(-40, 680)));
    const float cy = static_cast<float>(std::round(real(-40, 520)));
    const float w = static_cast<float>(std::round(real(1, 300)));
    const float h = static_cast<float>(std::round(real(1, 200)));
    const float angle = random() % 3 == 0 ? static_cast<float>(real(0, 6.3)) : 0.0f;
    const float u0 = static_cast<float>(real(-1.5, 1.0));
    const float scale = static_cast<float>(real(0.1, 4.0));
    const float v0 = static_cast<float>(real(-1.5, 1.0));
    const bool gradient = random() % 3 == 0;
    const std::uint32_t flat = static_cast<std::uint32_t>(random());
    std::vector<QuadVertex> quad;
    for (int i = 0; i < 4; ++i) {
        const float px = (i % 2 == 0 ? -w : w) / 2;
        const float py = (i / 2 == 0 ? -h : h) / 2;
        const std::uint32_t colour = gradient ? static_cast<std::uint32_t>(random()) : flat;
        quad.push_back(Canvas::Vertex(cx + px * std::cos(angle) - py * std::sin(angle),
                                      cy + px * std::sin(angle) + py * std::cos(angle), colour,
                                      u0 + scale * static_cast<float>(i % 2), v0 + scale * static_cast<float>(i / 2)));
    }
    return quad;
}

TEST(InstructionSets, EverySetAndEitherThreadCountDrawTheSameFrames) {
    const auto sprite = Noise(64, 32, 3);
    const auto second = Noise(16, 16, 4);
    const auto background = Noise(1024, 512, 5);
    using Threads = gfx::SoftwareDevice::Threads;
    const std::pair<gfx::InstructionSet, Threads> configurations[] = {
        {gfx::InstructionSet::Plain, Threads::One}, {gfx::InstructionSet::Plain, Threads::Two},
        {gfx::InstructionSet::Sse2, Threads::One},  {gfx::InstructionSet::Sse2, Threads::Two},
        {gfx::InstructionSet::Avx2, Threads::One},  {gfx::InstructionSet::Avx2, Threads::Two},
    };
    std::vector<std::unique_ptr<Canvas>> canvases;
    std::vector<std::pair<gfx::InstructionSet, Threads>> used;
    for (const auto& [set, threads] : configurations) {
        if (gfx::Uses(gfx::BestInstructionSet(), set)) {
            canvases.push_back(std::make_unique<Canvas>(0xFF000000u, set, threads));
            used.push_back({set, threads});
        }
    }
    ASSERT_GE(canvases.size(), 2u);
    std::mt19937 random(20261206);
    for (int batch = 0; batch < 48; ++batch) {
        std::vector<std::vector<QuadVertex>> quads;
        for (int i = 0; i < 12; ++i) {
            quads.push_back(RandomQuad(random));
        }
        for (const auto& canvas : canvases) {
            SetBatchStates(canvas->device, batch, second.get());
            canvas->device.SetTexture(0, batch % 8 == 7 ? nullptr : batch % 2 == 0 ? sprite.get() : background.get());
            for (const auto& quad : quads) {
                canvas->Strip(quad);
            }
        }
        for (std::size_t c = 1; c < canvases.size(); ++c) {
            const std::vector<std::uint32_t> expected = canvases[0]->Pixels();
            const std::vector<std::uint32_t> actual = canvases[c]->Pixels();
            int differences = 0;
            for (std::size_t p = 0; p < expected.size(); ++p) {
                differences += expected[p] != actual[p];
            }
            ASSERT_EQ(differences, 0) << "batch " << batch << ", set " << static_cast<int>(used[c].first) << ", "
                                      << (used[c].second == Threads::Two ? "two threads" : "one thread");
        }
    }
}

}  // namespace
