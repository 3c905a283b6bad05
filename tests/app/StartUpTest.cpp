#include <gtest/gtest.h>

#include "app/NowLoading.h"
#include "app/SceneContext.h"
#include "app/StartUp.h"
#include "platform/MessageBox.h"
#include "resource/FileClass.h"
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
    context.transitionMode = 0;  // the switcher holds the fade while nothing is being built
    for (int frame = 1; frame < 100; ++frame) {
        scene.Frame(&device, context);
    }
    EXPECT_FALSE(registry.HasTexture("tama.png"));
    EXPECT_EQ(context.sceneCode, 1u);
    ASSERT_EQ(device.draws.size(), 99u);
    EXPECT_NE(device.draws[0].texture, nullptr);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[3].x, 640.0f);

    scene.Frame(&device, context);
    EXPECT_TRUE(registry.HasTexture("tama.png"));
    EXPECT_EQ(context.sceneCode, 2u);
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
    context.transitionMode = 0;
    for (int frame = 0; frame < 100; ++frame) {
        scene.Frame(&device, context);
    }
    ASSERT_TRUE(scene.Done());
    // The switcher sends the start-up scene back to code 1 while it builds the title.
    context.sceneCode = 1;
    for (int frame = 0; frame < 200; ++frame) {
        scene.Frame(&device, context);
    }
    EXPECT_EQ(context.sceneCode, 1u);  // no fade yet: the title is not ready

    context.transitionMode = 1;
    int frames = 0;
    while (context.sceneCode == 1) {
        scene.Frame(&device, context);
        ASSERT_LT(++frames, 200);
    }
    EXPECT_EQ(context.sceneCode, 2u);
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

TEST_F(StartUpTest, MissingAssetEndsTheProgramWithTheMessage) {
    ASSERT_TRUE(WriteTestPacks(dir.Path(), {}, "upgrade_base.png"));
    StartUp scene(registry);
    scene.Init(&device);
    for (int frame = 1; frame < 100; ++frame) {
        scene.Frame(&device, context);
    }
    EXPECT_EXIT(scene.Frame(&device, context), testing::ExitedWithCode(0), "有効なファイルではありません");
    EXPECT_EQ(ReadWholeFile(dir.Path() / "log.txt"), "有効なファイルではありません\n");
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
