#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/Blender.h"
#include "gfx/Device.h"
#include "gfx/TextureStages.h"

namespace {

// Blends texels tinted by colour onto a copy of frame in one pass, and in two: the frames must
// come out the same.
void ExpectOnePassAsTwo(const gfx::Blender& blender, gfx::InstructionSet set, const std::vector<std::uint32_t>& texels,
                        const std::vector<std::uint32_t>& frame, std::uint32_t colour, int count) {
    std::vector<std::uint32_t> expected = frame;
    std::vector<std::uint32_t> modulated(static_cast<std::size_t>(count) + 1);
    gfx::TextureStages::ModulateRun(texels.data(), colour, count, modulated.data(), set);
    blender.BlendSpan(modulated.data(), expected.data(), count);
    std::vector<std::uint32_t> actual = frame;
    blender.BlendModulated(texels.data(), colour, actual.data(), count);
    EXPECT_EQ(actual, expected) << count << " pixels, colour " << std::hex << colour;
}

// A tinted sprite's texels go through the colour and the blend in one pass; the result must be
// that of modulating them first and blending afterwards, for every blend, instruction set and
// length of run (whole registers, masked tails, and runs longer than the row the narrower sets
// modulate through), and for any colour as for black ones, which shadows are drawn with.
TEST(Blending, ModulatedRunsBlendAsTheModulatedTexelsWould) {
    std::mt19937 random(20261207);
    std::vector<std::uint32_t> texels(1000);
    std::vector<std::uint32_t> frame(1000);
    for (std::size_t i = 0; i < texels.size(); ++i) {
        const std::uint32_t bits = static_cast<std::uint32_t>(random());
        // Opaque, clear and translucent texels, so that every path of the blends is taken.
        const std::uint32_t alpha = i % 3 == 0 ? 0xFFu : i % 3 == 1 ? 0u : bits >> 24;
        texels[i] = alpha << 24 | (bits & 0xFFFFFF);
        frame[i] = 0xFF000000u | static_cast<std::uint32_t>(random());
    }
    const std::pair<std::uint32_t, std::uint32_t> factors[] = {
        {gfx::BLEND_ONE, gfx::BLEND_ZERO}, {gfx::BLEND_SRCALPHA, gfx::BLEND_INVSRCALPHA},
        {gfx::BLEND_SRCALPHA, gfx::BLEND_ONE}, {gfx::BLEND_ONE, gfx::BLEND_SRCALPHA}};
    for (const gfx::InstructionSet set :
         {gfx::InstructionSet::Plain, gfx::InstructionSet::Sse2, gfx::InstructionSet::Avx2}) {
        if (!gfx::Uses(gfx::BestInstructionSet(), set)) {
            continue;
        }
        for (const auto& [source, target] : factors) {
            SCOPED_TRACE(testing::Message()
                         << "set " << static_cast<int>(set) << ", blend " << source << "/" << target);
            gfx::PipelineState state;
            state.blendEnabled = true;
            state.srcBlend = source;
            state.destBlend = target;
            const gfx::Blender blender(state, set);
            for (const int count : {0, 1, 7, 8, 9, 15, 16, 17, 31, 100, gfx::kFrameWidth, 1000}) {
                const auto bits = static_cast<std::uint32_t>(random());
                for (const std::uint32_t colour : {bits, bits & 0xFF000000u, 0xFF000000u, 0u}) {
                    ExpectOnePassAsTwo(blender, set, texels, frame, colour, count);
                }
            }
        }
    }
}

}  // namespace

namespace {

// The widest registers blend through multiplied byte pairs rather than widened channels; the
// result must be the scalar blend's for every source and target channel at every alpha.
TEST(Blending, SourceOverAgreesWithTheScalarBlendForEveryChannelPairAndAlpha) {
    if (!gfx::Uses(gfx::BestInstructionSet(), gfx::InstructionSet::Avx2)) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    gfx::PipelineState state;
    state.blendEnabled = true;
    state.srcBlend = gfx::BLEND_SRCALPHA;
    state.destBlend = gfx::BLEND_INVSRCALPHA;
    const gfx::Blender vector(state, gfx::InstructionSet::Avx2);
    const gfx::Blender scalar(state, gfx::InstructionSet::Plain);
    // Pixel i pairs source channel i & 255 with target channel i >> 8, arranged differently in
    // each channel. The frame is opaque throughout, as clearing makes it.
    constexpr int kPairs = 256 * 256;
    std::vector<std::uint32_t> source(kPairs);
    std::vector<std::uint32_t> target(kPairs);
    for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (std::uint32_t i = 0; i < kPairs; ++i) {
            const std::uint32_t s = i & 0xFF;
            const std::uint32_t d = i >> 8;
            source[i] = alpha << 24 | s << 16 | (255 - s) << 8 | (s ^ d);
            target[i] = 0xFF000000u | d << 16 | (255 - d) << 8 | (d ^ 0xA5);
        }
        std::vector<std::uint32_t> expected = target;
        scalar.BlendSpan(source.data(), expected.data(), kPairs);
        vector.BlendSpan(source.data(), target.data(), kPairs);
        ASSERT_EQ(target, expected) << "alpha " << alpha;
    }
}

}  // namespace
