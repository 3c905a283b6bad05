#include <gtest/gtest.h>

#include <filesystem>

#include "app/GameScenes.h"
#include "app/SceneSwitcher.h"
#include "audio/DirectSound.h"
#include "gfx/NullDevice.h"
#include "platform/QuitMessage.h"
#include "resource/FileClass.h"
#include "resource/PackNames.h"
#include "scene/game/GameMain.h"
#include "support/GameFiles.h"
#include "support/TempDir.h"

namespace {

// The title and the battle as the game switches between them: built and released by the
// switcher's loader threads, driven by clicks and keys, on a device that draws nothing.
class BattleSwitching : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearQuit();
        for (const char* name : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
            ShareGameFile(name, dir.Path());
        }
        InitDirectSound(SoundOutput::Null);
        g_FileClass.LoadTexturePack(pack::kGraphicsPack, &device);
        g_FileClass.LoadSoundPack(pack::kEffectPack);

        SceneSwitcher::Hooks hooks;
        hooks.makeTitle = &MakeTitleScene;
        hooks.makeGame = &MakeGameScene;
        hooks.drawFrame = [this](Scene* scene, SceneContext& frameContext) { scene->Frame(&device, frameContext); };
        hooks.showMessage = [](const char*) {};
        switcher = std::make_unique<SceneSwitcher>(&device, std::move(hooks), true, 0);
        context.sceneCode = SceneCode::Title;
    }

    void TearDown() override { switcher->Shutdown(); }

    void Step() {
        switcher->Step(context);
        context.ReleaseAll();
    }
    void Steps(int count) {
        for (int i = 0; i < count; ++i) {
            Step();
        }
    }
    void Click(int x, int y) {
        context.SetMouse(x, y);
        Step();
        context.SetButtons(1, 0);
        Step();
    }
    void Key(int key) {
        context.SetKey(key, 1);
        Step();
    }
    // Steps until the switcher shows the scene in that slot on its own, at most `limit` frames.
    bool SettleOn(Scene* (SceneSwitcher::*slot)() const, int limit) {
        for (int i = 0; i < limit; ++i) {
            if ((switcher.get()->*slot)() != nullptr && !switcher->Loading() &&
                (slot == &SceneSwitcher::TitleScene ? switcher->GameScene() == nullptr
                                                    : switcher->TitleScene() == nullptr)) {
                return true;
            }
            Step();
        }
        return false;
    }
    GameMain* Game() const { return dynamic_cast<GameMain*>(switcher->GameScene()); }

    ScopedTempDir dir;
    gfx::NullDevice device;
    std::unique_ptr<SceneSwitcher> switcher;
    SceneContext context;
};

constexpr int kMenuX = 224;
constexpr int kRetryY = 360;
constexpr int kTitleY = 310;

}  // namespace

TEST_F(BattleSwitching, TheTitleStartsABattleThatRetriesTheSameRequestAndReturns) {
    ASSERT_TRUE(SettleOn(&SceneSwitcher::TitleScene, 400));
    Steps(200);
    Click(520, 200);  // game select
    Steps(80);
    Click(350, 120);  // easy
    Click(610, 230);  // the next stage
    Click(590, 336);  // the second character
    Click(580, 440);  // start
    ASSERT_TRUE(SettleOn(&SceneSwitcher::GameScene, 400));
    GameMain* first = Game();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Request().difficulty, 0);
    EXPECT_EQ(first->Request().stage, 1);
    EXPECT_EQ(first->Request().character, 1);
    Steps(30);

    // Retry from the pause menu: the scene is thrown away and built again from the same request.
    Key(kKeySpace);
    ASSERT_TRUE(first->MenuOpen());
    Click(kMenuX, kRetryY);
    // The switcher takes the restart flag when it releases the old scene, then builds the new one.
    bool restarting = false;
    for (int i = 0; i < 400 && !(restarting && context.restart == 0 && Game() != nullptr && !switcher->Loading());
         ++i) {
        restarting = restarting || context.restart != 0;
        Step();
    }
    ASSERT_TRUE(restarting);
    GameMain* second = Game();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(context.sceneCode, SceneCode::Game);
    EXPECT_EQ(second->Request().difficulty, 0);
    EXPECT_EQ(second->Request().stage, 1);
    EXPECT_EQ(second->Request().character, 1);
    EXPECT_TRUE(second->Preparing());
    EXPECT_FALSE(second->MenuOpen());

    // And back to the title.
    Steps(30);
    Key(kKeySpace);
    ASSERT_TRUE(second->MenuOpen());
    Click(kMenuX, kTitleY);
    for (int i = 0; i < 200 && context.sceneCode == SceneCode::Game; ++i) {
        Step();
    }
    EXPECT_EQ(context.sceneCode, SceneCode::Title);
    ASSERT_TRUE(SettleOn(&SceneSwitcher::TitleScene, 400));
    EXPECT_EQ(switcher->GameScene(), nullptr);
}
