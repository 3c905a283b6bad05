#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "PixelTestKit.h"
#include "gfx/SpanRenderer.h"

namespace {

// A rectangle works out once how its rows read their textures across, and each row then reads
// only its own texture row. Drawn that way it must come out as drawn row by row, for every filter,
// addressing mode and instruction set, whether the rows read alike or not (a quarter turned
// texture, or coordinates that shear), with the run inside the texture or across its edges.
class RectangleRows : public ::testing::Test {
protected:
    struct Frames {
        std::vector<std::uint32_t> byRectangle;
        std::vector<std::uint32_t> byRows;
    };

    Frames Draw(gfx::InstructionSet set, const gfx::PipelineState& state, const gfx::AttributePlanes& planes,
                int firstRow, int lastRow, int x0, int x1) {
        Frames frames{std::vector<std::uint32_t>(kPixels, kBackground),
                      std::vector<std::uint32_t>(kPixels, kBackground)};
        gfx::SpanRenderer rectangle(frames.byRectangle.data(), set);
        rectangle.Begin(state);
        rectangle.SetPlanes(planes);
        rectangle.DrawRectangle(firstRow, lastRow, x0, x1);
        gfx::SpanRenderer rows(frames.byRows.data(), set);
        rows.Begin(state);
        rows.SetPlanes(planes);
        for (int y = firstRow; y <= lastRow; ++y) {
            rows.DrawSpan(y, x0, x1);
        }
        return frames;
    }

    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }

    static constexpr int kPixels = gfx::kFrameWidth * gfx::kFrameHeight;
    static constexpr std::uint32_t kBackground = 0xFF204060u;
    std::mt19937 random_{20261207};
};

TEST_F(RectangleRows, DrawTheSameAsRowByRow) {
    const auto texture = MakeTexture(64, 32, [](int x, int y) {
        return static_cast<std::uint32_t>((x * 37 + y * 91) % 7 == 0 ? 0 : 0xFF) << 24 |
               static_cast<std::uint32_t>(x * 4) << 16 | static_cast<std::uint32_t>(y * 8) << 8 |
               static_cast<std::uint32_t>((x ^ y) * 3);
    });
    for (const gfx::InstructionSet set :
         {gfx::InstructionSet::Plain, gfx::InstructionSet::Sse2, gfx::InstructionSet::Avx2}) {
        if (!gfx::Uses(gfx::BestInstructionSet(), set)) {
            continue;
        }
        for (const std::uint32_t filter : {gfx::TEXF_POINT, gfx::TEXF_LINEAR}) {
            for (const std::uint32_t address : {gfx::TADDRESS_WRAP, gfx::TADDRESS_MIRROR, gfx::TADDRESS_CLAMP}) {
                gfx::PipelineState state;
                state.stages[0].texture = texture.get();
                state.stages[0].minFilter = state.stages[0].magFilter = filter;
                state.stages[0].addressU = state.stages[0].addressV = address;
                state.blendEnabled = true;
                state.srcBlend = gfx::BLEND_SRCALPHA;
                state.destBlend = gfx::BLEND_INVSRCALPHA;
                for (int trial = 0; trial < 24; ++trial) {
                    // Texels a pixel across from a quarter to five, starting anywhere from a texture
                    // before to one after; every third rectangle shears or turns its coordinates.
                    gfx::AttributePlanes planes;
                    const double across = Uniform(0.25, 5.0) / 64.0;
                    planes.u = {Uniform(-1.0, 1.0), trial % 2 == 0 ? across : -across, trial % 3 == 0 ? 0.004 : 0.0};
                    planes.v = {Uniform(-1.0, 1.0), trial % 6 == 0 ? 0.003 : 0.0, Uniform(0.1, 3.0) / 32.0};
                    planes.colour = trial % 4 == 0 ? 0x80FFFFFFu : trial % 4 == 1 ? 0xC0000000u : 0xFFFFFFFFu;
                    const int x0 = static_cast<int>(Uniform(0, 300));
                    const int x1 = x0 + static_cast<int>(Uniform(1, 340));
                    const int firstRow = static_cast<int>(Uniform(0, 200));
                    const Frames frames = Draw(set, state, planes, firstRow, firstRow + 40, x0, x1);
                    ASSERT_EQ(frames.byRectangle, frames.byRows)
                        << "set " << static_cast<int>(set) << ", filter " << filter << ", address " << address
                        << ", trial " << trial;
                }
            }
        }
    }
}

}  // namespace
