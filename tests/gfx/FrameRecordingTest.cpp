#include <gtest/gtest.h>

#include <fstream>

#include "PixelTestKit.h"
#include "gfx/FrameRecorder.h"
#include "support/TempDir.h"

namespace {

// A frame drawn through the recorder, then replayed from the file on a fresh device, must come
// out pixel for pixel the same, including what it inherited from the frames before it.
class Recorded : public ::testing::Test {
protected:
    Recorded() {
        auto device = std::make_unique<gfx::SoftwareDevice>(nullptr);
        drawn = device.get();
        recorder = std::make_unique<gfx::FrameRecorder>(std::move(device));
    }

    // A frame whose states were set before the recording started, with a texture bound then, a
    // texture rewritten between two draws, a gradient and an additive draw.
    void DrawFrame() {
        recorder->SetFVF(kQuadVertexFormat);
        SetBaseStates(recorder.get());
        SetAlphaBlendStates(recorder.get());
        recorder->SetTexture(0, sprite.get());
        recorder->Start();
        recorder->Clear(0xFF102030u, 1.0f, 0);
        recorder->BeginScene();
        Draw(Canvas::Rect(10, 10, 90, 70, 0xFFFFFFFFu, 0.0f, 0.0f, 2.5f, 1.5f));
        sprite->Lock()[0] = 0x80FF0000u;
        sprite->Unlock();
        Draw(Canvas::Rect(50, 40, 130, 100, 0xC0FFFFFFu));
        recorder->SetTexture(0, nullptr);
        std::vector<QuadVertex> gradient = Canvas::Rect(0, 100, 200, 140, 0xFF0000FFu);
        gradient[1].diffuse = gradient[3].diffuse = 0x40FF8000u;
        Draw(gradient);
        SetAdditiveTintStates(recorder.get());
        recorder->SetTexture(0, sprite.get());
        Draw(Canvas::Rect(20, 20, 60, 200, 0xFF203040u));
        recorder->EndScene();
        recorder->Present();
    }

    void Draw(const std::vector<QuadVertex>& quad) {
        recorder->DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(QuadVertex));
    }

    std::vector<std::uint32_t> Replayed(const gfx::FrameRecording& recording) {
        gfx::SoftwareDevice device(nullptr);
        recording.Play(device, recording.MakeTextures(device));
        return {device.Frame(), device.Frame() + gfx::kFrameWidth * gfx::kFrameHeight};
    }

    std::vector<std::uint32_t> Drawn() const {
        return {drawn->Frame(), drawn->Frame() + gfx::kFrameWidth * gfx::kFrameHeight};
    }

    ScopedTempDir dir;
    std::unique_ptr<gfx::Texture> sprite = MakeTexture(
        8, 4, [](int x, int y) { return (x + y) % 3 == 0 ? 0u : 0xFF000000u | std::uint32_t(x * 30) << 16 | y * 60u; });
    gfx::SoftwareDevice* drawn = nullptr;
    std::unique_ptr<gfx::FrameRecorder> recorder;
};

TEST_F(Recorded, AFrameReplayedFromItsFileEqualsTheFrameDrawn) {
    DrawFrame();
    ASSERT_TRUE(recorder->Finished());
    // Two images of the sprite: before and after it was rewritten.
    EXPECT_EQ(recorder->Recording().Images().size(), 2u);
    const std::string path = (dir.Path() / "frame.rec").string();
    std::string error;
    ASSERT_TRUE(recorder->Recording().Save(path, error)) << error;
    gfx::FrameRecording loaded;
    ASSERT_TRUE(loaded.Load(path, error)) << error;
    EXPECT_EQ(Replayed(loaded), Drawn());
}

TEST_F(Recorded, RecordingStopsAtPresentAndCallsAfterItAreLeftOut) {
    DrawFrame();
    const std::size_t calls = recorder->Recording().Calls().size();
    Draw(Canvas::Rect(0, 0, 640, 480, 0xFFFFFFFFu));
    EXPECT_EQ(recorder->Recording().Calls().size(), calls);
    EXPECT_NE(Replayed(recorder->Recording()), Drawn());
}

TEST_F(Recorded, DamagedFilesAreRefusedWhole) {
    DrawFrame();
    const std::string path = (dir.Path() / "frame.rec").string();
    std::string error;
    ASSERT_TRUE(recorder->Recording().Save(path, error));
    const std::string bytes = ReadWholeFile(path);
    const auto load = [&](const std::string& content) {
        {
            std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        }
        gfx::FrameRecording loaded;
        const bool accepted = loaded.Load(path, error);
        EXPECT_TRUE(accepted || loaded.Calls().empty());
        return accepted;
    };
    // Every cut short, and one byte too many.
    for (std::size_t length = 0; length < bytes.size(); length += 1 + length / 64) {
        EXPECT_FALSE(load(bytes.substr(0, length))) << "cut at " << length;
    }
    EXPECT_FALSE(load(bytes + '\0'));
    // The last calls are the last draw, EndScene and Present. Point that draw past the
    // vertices, then a texture call past the images.
    const std::size_t lastDraw = bytes.size() - 3 * sizeof(gfx::FrameRecording::Call);
    std::string pastVertices = bytes;
    pastVertices[lastDraw + 16] = '\x7F';
    EXPECT_FALSE(load(pastVertices));
    EXPECT_NE(error.find("vertices"), std::string::npos) << error;
    EXPECT_TRUE(load(bytes));
    EXPECT_FALSE(gfx::FrameRecording().Load((dir.Path() / "missing").string(), error));
}

}  // namespace
