#include <gtest/gtest.h>

#include <memory>

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

TEST_P(QueuedDrawing, ScenesBegunAheadOfTheirDrawsOrNeverPresentedLeaveFramesAndShutDownAsBefore) {
    gfx::HeadlessFrameSink sink;
    auto device = std::make_unique<gfx::SoftwareDevice>(&sink, gfx::BestInstructionSet(), GetParam());
    device->SetFVF(kQuadVertexFormat);
    SetBaseStates(device.get());
    const auto frame = [&](std::uint32_t colour) {
        device->Clear(0xFF000000u, 1.0f, 0);
        // Beginning a scene tells the second thread a frame is coming; told twice, or long before
        // the frame comes, it must still draw the frame once it is handed over.
        device->BeginScene();
        device->BeginScene();
        const auto quad = Canvas::Rect(0, 0, 10, 10, colour);
        device->DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(QuadVertex));
        device->EndScene();
        ASSERT_EQ(device->Present(), S_OK);
        EXPECT_EQ(sink.LastFrame()[5 * gfx::kFrameWidth + 5], colour);
        EXPECT_EQ(sink.LastFrame()[5 * gfx::kFrameWidth + 50], 0xFF000000u);
    };
    for (const std::uint32_t colour : {kRed, kGreen, kWhite, kRed}) {
        frame(colour);
    }
    // A scene begun and never presented: the waiting thread is let go with the device.
    device->BeginScene();
    device.reset();
}

INSTANTIATE_TEST_SUITE_P(EitherThreadCount, QueuedDrawing, ::testing::Values(Threads::One, Threads::Two),
                         [](const auto& info) { return info.param == Threads::Two ? "TwoThreads" : "OneThread"; });

}  // namespace
