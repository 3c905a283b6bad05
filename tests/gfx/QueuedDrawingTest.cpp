#include <gtest/gtest.h>

#include "PixelTestKit.h"

namespace {

// With two threads the device holds a frame's draws back until the frame is needed. What they
// read and where they land must be what drawing each call at once gives.

using Threads = gfx::SoftwareDevice::Threads;

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

void Fill(gfx::Texture& texture, std::uint32_t colour) {
    std::uint32_t* texels = texture.Lock();
    std::fill(texels, texels + texture.Width() * texture.Height(), colour);
    texture.Unlock();
}

class QueuedDrawing : public ::testing::TestWithParam<Threads> {};

TEST_P(QueuedDrawing, ATextureWrittenAfterADrawLeavesThatDrawAsItWas) {
    Canvas canvas(0xFF000000u, gfx::BestInstructionSet(), GetParam());
    const auto texture = MakeTexture(4, 4, [](int, int) { return kRed; });
    canvas.device.SetTexture(0, texture.get());
    canvas.Strip(Canvas::Rect(0, 0, 10, 10, kWhite));
    Fill(*texture, kGreen);
    canvas.Strip(Canvas::Rect(20, 0, 30, 10, kWhite));
    EXPECT_EQ(canvas.At(5, 5), kRed);
    EXPECT_EQ(canvas.At(25, 5), kGreen);
}

TEST_P(QueuedDrawing, ATextureDestroyedBeforeTheFrameIsReadStillShowsInIt) {
    Canvas canvas(0xFF000000u, gfx::BestInstructionSet(), GetParam());
    {
        const auto texture = MakeTexture(4, 4, [](int, int) { return kRed; });
        canvas.device.SetTexture(0, texture.get());
        canvas.Strip(Canvas::Rect(0, 0, 10, 10, kWhite));
        canvas.device.SetTexture(0, nullptr);
    }
    EXPECT_EQ(canvas.At(5, 5), kRed);
}

TEST_P(QueuedDrawing, ATextureOutlivesADeviceThatDroppedItsDraws) {
    const auto texture = MakeTexture(4, 4, [](int, int) { return kRed; });
    {
        gfx::SoftwareDevice device(nullptr, gfx::BestInstructionSet(), GetParam());
        device.SetFVF(kQuadVertexFormat);
        device.SetTexture(0, texture.get());
        const auto quad = Canvas::Rect(0, 0, 10, 10, kWhite);
        device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(QuadVertex));
    }
    // The gone device must not be asked to draw before the write.
    Fill(*texture, kGreen);
    Canvas canvas(0xFF000000u, gfx::BestInstructionSet(), GetParam());
    canvas.device.SetTexture(0, texture.get());
    canvas.Strip(Canvas::Rect(0, 0, 10, 10, kWhite));
    EXPECT_EQ(canvas.At(5, 5), kGreen);
}

TEST_P(QueuedDrawing, ATextureTwoDevicesDrewIsWrittenOnlyAfterBothDrewIt) {
    Canvas first(0xFF000000u, gfx::BestInstructionSet(), GetParam());
    Canvas second(0xFF000000u, gfx::BestInstructionSet(), GetParam());
    const auto texture = MakeTexture(4, 4, [](int, int) { return kRed; });
    for (Canvas* canvas : {&first, &second}) {
        canvas->device.SetTexture(0, texture.get());
        canvas->Strip(Canvas::Rect(0, 0, 10, 10, kWhite));
    }
    Fill(*texture, kGreen);
    EXPECT_EQ(first.At(5, 5), kRed);
    EXPECT_EQ(second.At(5, 5), kRed);
}

TEST_P(QueuedDrawing, PresentHandsTheSinkTheFinishedFrameAndClearsStartTheNext) {
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink, gfx::BestInstructionSet(), GetParam());
    device.SetFVF(kQuadVertexFormat);
    SetBaseStates(&device);
    const auto quad = Canvas::Rect(0, 0, 10, 10, kGreen);
    device.Clear(kRed, 1.0f, 0);
    device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(QuadVertex));
    ASSERT_EQ(device.Present(), S_OK);
    EXPECT_EQ(sink.LastFrame()[5 * gfx::kFrameWidth + 5], kGreen);
    EXPECT_EQ(sink.LastFrame()[5 * gfx::kFrameWidth + 50], kRed);
    EXPECT_EQ(sink.LastFrame()[479 * gfx::kFrameWidth + 639], kRed);
    device.Clear(kWhite, 1.0f, 0);
    EXPECT_EQ(device.Frame()[5 * gfx::kFrameWidth + 5], kWhite);
}

INSTANTIATE_TEST_SUITE_P(EitherThreadCount, QueuedDrawing, ::testing::Values(Threads::One, Threads::Two),
                         [](const auto& info) { return info.param == Threads::Two ? "TwoThreads" : "OneThread"; });

}  // namespace
