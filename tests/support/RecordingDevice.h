#pragma once
#include <array>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "gfx/NullDevice.h"
#include "gfx/QuadVertex.h"

// A device that draws nothing and remembers every call, for tests of code that draws: each draw
// keeps its vertices, the stage-0 texture and the filters and blend states in force.
class RecordingDevice final : public gfx::NullDevice {
public:
    struct Draw {
        std::vector<QuadVertex> vertices;
        gfx::Texture* texture;
        std::uint32_t minFilter;
        std::uint32_t magFilter;
        std::uint32_t destBlend;
        std::uint32_t alphaArg1;
    };

    void SetFVF(std::uint32_t format) override { fvf = format; }
    void SetTexture(int stage, gfx::Texture* texture) override {
        if (stage == 0) {
            boundTexture = texture;
        }
    }
    void SetRenderState(gfx::RenderState state, std::uint32_t value) override {
        renderStates[state] = value;
    }
    void SetSamplerState(int sampler, gfx::SamplerState state, std::uint32_t value) override {
        if (sampler == 0) {
            samplerStates[state] = value;
        }
    }
    void SetTextureStageState(int stage, gfx::TextureStageState state, std::uint32_t value) override {
        if (stage == 0) {
            stageStates[state] = value;
        }
    }
    void DrawPrimitiveUP(gfx::PrimitiveType, std::uint32_t primitiveCount, const void* vertices,
                         std::uint32_t stride) override {
        const auto* first = static_cast<const QuadVertex*>(vertices);
        (void)stride;
        Draw draw{std::vector<QuadVertex>(first, first + primitiveCount + 2), boundTexture,
                  Sampler(gfx::SamplerState::MinFilter), Sampler(gfx::SamplerState::MagFilter),
                  Render(gfx::RenderState::DestBlend), Stage(gfx::TextureStageState::AlphaArg1)};
        draws.push_back(std::move(draw));
    }
    std::uint32_t Sampler(gfx::SamplerState state) const { return Get(samplerStates, state); }
    std::uint32_t Render(gfx::RenderState state) const { return Get(renderStates, state); }
    std::uint32_t Stage(gfx::TextureStageState state) const { return Get(stageStates, state); }

    std::vector<Draw> draws;
    gfx::Texture* boundTexture = nullptr;
    std::uint32_t fvf = 0;
    std::map<gfx::RenderState, std::uint32_t> renderStates;
    std::map<gfx::SamplerState, std::uint32_t> samplerStates;
    std::map<gfx::TextureStageState, std::uint32_t> stageStates;

private:
    template <typename Key>
    static std::uint32_t Get(const std::map<Key, std::uint32_t>& states, Key key) {
        const auto found = states.find(key);
        return found == states.end() ? 0 : found->second;
    }
};
