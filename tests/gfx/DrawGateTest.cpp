#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "gfx/DrawGate.h"
#include "gfx/QuadVertex.h"

namespace {

// Counts what reaches the real device.
class CountingDevice final : public gfx::NullDevice {
public:
    HRESULT Clear(std::uint32_t, float, std::uint32_t) override { ++clears; return S_OK; }
    HRESULT BeginScene() override { ++scenes; return S_OK; }
    HRESULT Present() override { ++presents; return S_OK; }
    void SetRenderState(gfx::RenderState state, std::uint32_t value) override { states[state] = value; }
    void DrawPrimitiveUP(gfx::PrimitiveType, std::uint32_t, const void*, std::uint32_t) override { ++draws; }

    int clears = 0;
    int scenes = 0;
    int presents = 0;
    int draws = 0;
    std::map<gfx::RenderState, std::uint32_t> states;
};

void OneFrame(gfx::Device& device, std::uint32_t blend) {
    const QuadVertex quad[4] = {};
    device.Clear(0xFF000000u, 1.0f, 0);
    device.BeginScene();
    device.SetRenderState(gfx::RenderState::DestBlend, blend);
    device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, quad, sizeof(QuadVertex));
    device.EndScene();
    device.Present();
}

// A closed gate lets nothing be drawn or shown, but every state still arrives, so the frame that
// is shown after the unshown ones starts from the states they left.
TEST(DrawGate, AClosedGateDropsTheDrawingAndKeepsTheStates) {
    auto counting = std::make_unique<CountingDevice>();
    CountingDevice& inner = *counting;
    gfx::DrawGate gate(std::move(counting));
    gate.SetOpen(false);
    OneFrame(gate, 7);
    OneFrame(gate, 9);
    EXPECT_EQ(inner.clears + inner.scenes + inner.presents + inner.draws, 0);
    EXPECT_EQ(inner.states[gfx::RenderState::DestBlend], 9u);
    EXPECT_NE(gate.CreateTexture(8, 8), nullptr);

    gate.SetOpen(true);
    OneFrame(gate, 5);
    EXPECT_EQ(inner.clears, 1);
    EXPECT_EQ(inner.scenes, 1);
    EXPECT_EQ(inner.presents, 1);
    EXPECT_EQ(inner.draws, 1);
    EXPECT_EQ(inner.states[gfx::RenderState::DestBlend], 5u);
}

}  // namespace
