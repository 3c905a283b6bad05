#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gfx/QuadVertex.h"
#include "gfx/RenderPresets.h"
#include "gfx/SoftwareDevice.h"

// A software device cleared to one colour with the states every scene frame starts with, and
// shorthands for drawing quads and reading pixels back.
class Canvas {
public:
    explicit Canvas(std::uint32_t background = 0xFF000000u, gfx::InstructionSet set = gfx::BestInstructionSet(),
                    gfx::SoftwareDevice::Threads threads = gfx::SoftwareDevice::DefaultThreads())
        : device(nullptr, set, threads) {
        device.Clear(background, 1.0f, 0);
        device.SetFVF(kQuadVertexFormat);
        SetBaseStates(&device);
        SetAlphaBlendStates(&device);
    }

    static QuadVertex Vertex(float x, float y, std::uint32_t colour, float u = 0.0f, float v = 0.0f) {
        return QuadVertex{x, y, 0.0f, 1.0f, colour, u, v};
    }

    // An axis-aligned quad in the sprites' vertex order: top-left, top-right, bottom-left,
    // bottom-right, with the texture's corners (u0, v0) .. (u1, v1).
    static std::vector<QuadVertex> Rect(float left, float top, float right, float bottom, std::uint32_t colour,
                                        float u0 = 0.0f, float v0 = 0.0f, float u1 = 1.0f, float v1 = 1.0f) {
        return {Vertex(left, top, colour, u0, v0), Vertex(right, top, colour, u1, v0),
                Vertex(left, bottom, colour, u0, v1), Vertex(right, bottom, colour, u1, v1)};
    }

    void Strip(const std::vector<QuadVertex>& vertices) {
        device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, static_cast<std::uint32_t>(vertices.size() - 2),
                               vertices.data(), sizeof(QuadVertex));
    }

    // The same quad drawn as its two triangles, one call each.
    void SplitStrip(const std::vector<QuadVertex>& quad) {
        Strip({quad[0], quad[1], quad[2]});
        Strip({quad[1], quad[2], quad[3]});
    }

    // Reading the frame draws what the device still holds queued.
    std::uint32_t At(int x, int y) { return device.Frame()[y * gfx::kFrameWidth + x]; }
    std::vector<std::uint32_t> Pixels() {
        return {device.Frame(), device.Frame() + gfx::kFrameWidth * gfx::kFrameHeight};
    }

    gfx::SoftwareDevice device;
};

inline std::unique_ptr<gfx::Texture> MakeTexture(int width, int height,
                                                 const std::function<std::uint32_t(int, int)>& texel) {
    auto texture = std::make_unique<gfx::Texture>(width, height);
    std::uint32_t* pixels = texture->Lock();
    for (int y = 0; y < texture->Height(); ++y) {
        for (int x = 0; x < texture->Width(); ++x) {
            pixels[y * texture->Width() + x] = texel(x, y);
        }
    }
    texture->Unlock();
    return texture;
}

inline int Red(std::uint32_t c) { return (c >> 16) & 0xFF; }
inline int Green(std::uint32_t c) { return (c >> 8) & 0xFF; }
inline int Blue(std::uint32_t c) { return c & 0xFF; }
