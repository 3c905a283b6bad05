#include <gtest/gtest.h>

#include "app/NowLoading.h"
#include "app/StartUp.h"
#include "base/SceneContext.h"
#include "platform/MessageBox.h"
#include "resource/FileClass.h"
#include "support/FatalEnd.h"
#include "support/RecordingDevice.h"
#include "support/TempDir.h"
#include "support/TestPacks.h"

namespace {

std::vector<std::uint8_t> Opaque(std::uint32_t colour) {
    return TestImage(4, 4, [colour](int, int) { return colour; });
}

struct StartUpTest : testing::Test {
    void SetUp() override { platform::SetDialogsEnabled(false); }

    ScopedTempDir dir;
    RecordingDevice device;
    FileClass registry;
    SceneContext context;
};

TEST_F(StartUpTest, ShowsThePictureForOneHundredFramesThenLoadsEverything) {
    ASSERT_TRUE(WriteTestPacks(dir.Path(), {{"startup_back.png", Opaque(0xFF204080u)}}));
    StartUp scene(registry);
    ASSERT_TRUE(scene.Init(&device));
    context.transitionMode = TransitionMode::Frozen;  // holds the fade: only the picture is drawn
    for (int frame = 1; frame < 100; ++frame) {
        scene.Frame(&device, context);
    }
    EXPECT_FALSE(registry.HasTexture("tama.png"));
    EXPECT_EQ(context.sceneCode, SceneCode::StartUp);
    ASSERT_EQ(device.draws.size(), 99u);
    EXPECT_NE(device.draws[0].texture, nullptr);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[3].x, 640.0f);

    scene.Frame(&device, context);
    EXPECT_TRUE(registry.HasTexture("tama.png"));
    EXPECT_EQ(context.sceneCode, SceneCode::Title);
    EXPECT_TRUE(scene.Done());
}

TEST_F(StartUpTest, FadesToBlackOnlyInRunningFramesThenHandsOverWithTheSavedVolumes) {
    ASSERT_TRUE(WriteTestPacks(dir.Path()));
    {
        CSaveFile save;
        save.settings[CSaveFile::kMusicVolume] = 40;
        save.settings[CSaveFile::kEffectVolume] = 250;  // out of range: full volume
        ASSERT_TRUE(save.Save(-1, -1, -1, CSaveFile::kNoOptions, 0));
    }
    StartUp scene(registry);
    scene.Init(&device);
    // Any mode but Running holds the fade, so the hand-over has to wait for it.
    context.transitionMode = TransitionMode::Frozen;
    for (int frame = 0; frame < 100; ++frame) {
        scene.Frame(&device, context);
    }
    ASSERT_TRUE(scene.Done());
    // The switcher sends the start-up scene back to code 1 while it builds the title.
    context.sceneCode = SceneCode::StartUp;
    for (int frame = 0; frame < 200; ++frame) {
        scene.Frame(&device, context);
    }
    EXPECT_EQ(context.sceneCode, SceneCode::StartUp);

    context.transitionMode = TransitionMode::Running;
    int frames = 0;
    while (context.sceneCode == SceneCode::StartUp) {
        scene.Frame(&device, context);
        ASSERT_LT(++frames, 200);
    }
    EXPECT_EQ(context.sceneCode, SceneCode::Title);
    EXPECT_GT(frames, 20);  // a fade at 8 per frame, not a cut
    const RecordingDevice::Draw& last = device.draws.back();
    EXPECT_EQ(last.texture, nullptr);
    for (const QuadVertex& vertex : last.vertices) {
        EXPECT_GE(vertex.diffuse >> 24, 240u);  // all but black in the frame of the hand-over
        EXPECT_EQ(vertex.diffuse & 0xFFFFFFu, 0u);
    }
    DirectSound* effect = registry.FindSound("decide.wav");
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->Volume(), PercentToVolume(100));
    EXPECT_EQ(registry.Music().BaseVolume(), PercentToVolume(40));
}

TEST_F(StartUpTest, MissingAssetEndsTheRunWithTheMessage) {
    ASSERT_TRUE(WriteTestPacks(dir.Path(), {}, "upgrade_base.png"));
    StartUp scene(registry);
    scene.Init(&device);
    for (int frame = 1; frame < 100; ++frame) {
        scene.Frame(&device, context);
    }
    const FatalEnd end = CatchFatalEnd([&] { scene.Frame(&device, context); });
    EXPECT_TRUE(end.quit);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_NE(end.message.find("有効なファイルではありません"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(dir.Path() / "log.txt"), "有効なファイルではありません\n");
    // The title is not asked for: the run ends from the start-up picture.
    EXPECT_EQ(context.sceneCode, SceneCode::StartUp);
    EXPECT_FALSE(scene.Done());
}

TEST_F(StartUpTest, LoadingScreenMovesOnlyWhenDrawn) {
    ASSERT_TRUE(WriteTestPacks(dir.Path(), {{"tama.png", Opaque(0xFFFFFFFFu)}, {"nowloading.png", Opaque(0xFF00FFFFu)}}));
    NowLoading scene;
    EXPECT_FALSE(scene.Init(&device));
    EXPECT_FLOAT_EQ(scene.Ball().angle, 0.0f);
    for (int frame = 0; frame < 3; ++frame) {
        scene.Frame(&device, context);
    }
    EXPECT_NEAR(scene.Ball().angle, 0.3f, 1e-5f);
    EXPECT_EQ(scene.Caption().alpha, 255 - 18);
    ASSERT_EQ(device.draws.size(), 9u);
    const RecordingDevice::Draw& caption = device.draws[7];
    const RecordingDevice::Draw& base = device.draws[8];
    EXPECT_NE(caption.texture, nullptr);
    EXPECT_EQ(caption.texture, base.texture);
    EXPECT_FLOAT_EQ(caption.vertices[2].v, 0.5f);
    EXPECT_FLOAT_EQ(base.vertices[0].v, 0.5f);
    EXPECT_FLOAT_EQ(base.vertices[0].x, 560.0f - 64.0f);
    EXPECT_EQ(base.vertices[0].diffuse >> 24, 255u);
}

}  // namespace
