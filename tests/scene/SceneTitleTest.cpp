#include <gtest/gtest.h>

#include "audio/StreamingTrack.h"
#include "base/Language.h"
#include "platform/QuitMessage.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"
#include "resource/SaveFile.h"
#include "scene/TitleHarness.h"

namespace {

// Screen positions of the title's controls.
constexpr int kMenuX = 520;
constexpr int kMenuGameSelectY = 200;
constexpr int kMenuMusicRoomY = 344;
constexpr int kMenuOptionY = 392;
constexpr int kMenuQuitY = 440;

std::uint32_t TrackOffset(const char* name) {
    CFilePackLoad music;
    music.Open(pack::kMusicPack);
    std::uint32_t offset = 0xFFFFFFFFu;
    music.FindOffset(name, offset);
    return offset;
}

class SceneTitleTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearQuit();
        harness.Open();
        ASSERT_TRUE(harness.Title().Ready());
        ASSERT_TRUE(harness.Settle(title::kMenu));
    }

    void Enter(int menuY, int screen) {
        harness.Click(kMenuX, menuY);
        ASSERT_TRUE(harness.Settle(screen));
    }

    TitleHarness harness;
};

TEST_F(SceneTitleTest, StartsOnTheMainMenuWithTheTitleMusic) {
    EXPECT_EQ(harness.Title().Screen(), title::kMenu);
    EXPECT_EQ(audio::MusicTrack().TrackOffset(), TrackOffset("bgm_title.wav"));
}

TEST_F(SceneTitleTest, GameSelectChangesTheChoiceAndReturns) {
    Enter(kMenuGameSelectY, title::kGameSelect);
    const GameSelect& select = harness.Title().Select();
    EXPECT_EQ(select.Difficulty(), 1);
    EXPECT_EQ(select.Stage(), 0);
    EXPECT_EQ(select.CharacterId(), 0);

    harness.Click(590, 120);  // difficulty up
    harness.Click(330, 230);  // stage down wraps to the last stage
    harness.Click(590, 350);  // the second character
    EXPECT_EQ(select.Difficulty(), 2);
    EXPECT_EQ(select.Stage(), 2);
    EXPECT_EQ(select.CharacterId(), 1);
    // A fresh save file holds the default record of the difficulty.
    EXPECT_EQ(select.BestScore(), 500);

    harness.Click(300, 300, true);  // a right click goes back
    ASSERT_TRUE(harness.Settle(title::kMenu));
    Enter(kMenuGameSelectY, title::kGameSelect);
    EXPECT_EQ(select.Difficulty(), 1);  // entering starts over
}

TEST_F(SceneTitleTest, StartingABattleFillsTheRequestForTheSwitcher) {
    Enter(kMenuGameSelectY, title::kGameSelect);
    harness.Click(350, 120);  // easy
    harness.Click(610, 230);  // the library
    harness.Click(580, 440);  // start
    for (int i = 0; i < 120 && harness.Context().sceneCode != SceneCode::Game; ++i) {
        harness.Frame();
    }
    const SceneContext& context = harness.Context();
    EXPECT_EQ(context.sceneCode, SceneCode::Game);
    EXPECT_EQ(context.transitionMode, TransitionMode::Leaving);
    EXPECT_EQ(context.difficulty, 0u);
    EXPECT_EQ(context.stage, 1u);
    EXPECT_EQ(context.character, 0u);
    // The title music fades out towards the battle.
    EXPECT_LT(g_FileClass.Music().CurrentVolume(), g_FileClass.Music().BaseVolume());
}

TEST_F(SceneTitleTest, OptionsChangeInStepsOfFiveAndAreSavedOnLeaving) {
    Enter(kMenuOptionY, title::kOption);
    const OptionScreen& options = harness.Title().Options();
    ASSERT_EQ(options.MusicVolume(), 80);
    harness.Click(330, 120);  // music -5
    harness.Click(330, 120);  // music -5
    for (int i = 0; i < 6; ++i) {
        harness.Click(456, 200);  // effects +5, stopping at 100
    }
    harness.Click(393, 280);  // grid display on
    EXPECT_EQ(options.MusicVolume(), 70);
    EXPECT_EQ(options.SoundVolume(), 100);
    EXPECT_TRUE(options.Display());
    EXPECT_DOUBLE_EQ(g_FileClass.Music().BaseVolume(), (70 - 100) * 30);

    harness.Click(80, 446);  // return
    ASSERT_TRUE(harness.Settle(title::kMenu));
    CSaveFile stored;
    EXPECT_EQ(stored.settings[CSaveFile::kMusicVolume], 70u);
    EXPECT_EQ(stored.settings[CSaveFile::kEffectVolume], 100u);
    EXPECT_EQ(stored.settings[CSaveFile::kDisplayOption], 1u);
}

// The guides switch below the grid display writes the context's guides, which the shell
// remembers; the grid display and the save file do not follow it.
TEST_F(SceneTitleTest, TheGuidesSwitchTogglesTheContextsGuidesOnly) {
    Enter(kMenuOptionY, title::kOption);
    const OptionScreen& options = harness.Title().Options();
    ASSERT_TRUE(harness.Context().guides);
    const bool display = options.Display();
    harness.Click(393, 360);
    EXPECT_FALSE(harness.Context().guides);
    EXPECT_EQ(options.Display(), display);
    harness.Click(393, 360);
    EXPECT_TRUE(harness.Context().guides);
    harness.Click(393, 360);
    harness.Click(393, 330);  // between the rows: nothing
    EXPECT_FALSE(harness.Context().guides);

    harness.Click(80, 446);  // return
    ASSERT_TRUE(harness.Settle(title::kMenu));
    EXPECT_FALSE(harness.Context().guides);
    CSaveFile stored;
    EXPECT_EQ(stored.settings[CSaveFile::kDisplayOption], display ? 1u : 0u);
}

// A language chosen on the option screen shows in the painted words at once: the labels and
// the header of the screen still on show, then the menu it returns to.
TEST_F(SceneTitleTest, PicturesWithWordsFollowALanguageSwitchAtOnce) {
    struct JapaneseAfter {
        ~JapaneseAfter() {
            std::string error;
            language::Use("ja", {}, error);
        }
    } restore;
    Enter(kMenuOptionY, title::kOption);
    const OptionScreen& options = harness.Title().Options();
    ASSERT_NE(g_FileClass.FindExactTexture("optionmenu.en.png"), nullptr);
    ASSERT_EQ(options.LabelSheet(), g_FileClass.FindExactTexture("optionmenu.png"));
    std::string error;
    ASSERT_TRUE(language::Use("en", VELMORIA_GAME_DIR, error)) << error;
    harness.Frame();
    EXPECT_EQ(options.LabelSheet(), g_FileClass.FindExactTexture("optionmenu.en.png"));
    EXPECT_EQ(harness.Title().Backdrop(), g_FileClass.FindExactTexture("optionback.en.png"));

    harness.Click(80, 446);  // return
    ASSERT_TRUE(harness.Settle(title::kMenu));
    EXPECT_EQ(harness.Title().Menu().ItemSheet(), g_FileClass.FindExactTexture("title_select.en.png"));
    EXPECT_EQ(harness.Title().Backdrop(), g_FileClass.FindExactTexture("titleback.en.png"));
}

TEST_F(SceneTitleTest, MusicRoomPlaysATrackTogglesCellsAndReseeds) {
    Enter(kMenuMusicRoomY, title::kMusicRoom);
    harness.Click(150, 110 + 24 * 2);  // the third track
    EXPECT_EQ(harness.Title().Music().SelectedTrack(), 2);
    EXPECT_EQ(audio::MusicTrack().TrackOffset(), TrackOffset("bgm_marsh.wav"));

    const LifeGame& board = harness.Title().Music().Board().board;
    harness.Click(360 + 16 * 4, 24 + 16 * 5);
    EXPECT_EQ(board.Cell(4, 5).state, LifeGameSpace::kAlive);  // choosing the track cleared the board
    harness.Click(360 + 16 * 4, 24 + 16 * 5);
    EXPECT_EQ(board.Cell(4, 5).state, LifeGameSpace::kDead);

    harness.PressKey(kKeySpace);
    int alive = 0;
    for (const LifeGameSpace& cell : board.cells) {
        alive += cell.state == LifeGameSpace::kAlive;
    }
    EXPECT_GT(alive, 50);  // about half of the 289 cells
    EXPECT_LT(alive, 240);

    harness.Click(80, 446);  // leaving puts the title music back
    ASSERT_TRUE(harness.Settle(title::kMenu));
    EXPECT_EQ(audio::MusicTrack().TrackOffset(), TrackOffset("bgm_title.wav"));
}

// A visitor finds the board at play, not a dead grid; leaving and coming back seeds it afresh.
TEST_F(SceneTitleTest, TheMusicRoomOpensOnABoardAtPlay) {
    Enter(kMenuMusicRoomY, title::kMusicRoom);
    const LifeGame& board = harness.Title().Music().Board().board;
    auto alive = [&] {
        int count = 0;
        for (const LifeGameSpace& cell : board.cells) {
            count += cell.state == LifeGameSpace::kAlive;
        }
        return count;
    };
    EXPECT_GT(alive(), 50);
    harness.Click(150, 110 + 24 * 3);  // the walled track clears the board and raises its walls
    EXPECT_EQ(alive(), 0);
    harness.Click(80, 446);
    ASSERT_TRUE(harness.Settle(title::kMenu));
    Enter(kMenuMusicRoomY, title::kMusicRoom);
    EXPECT_GT(alive(), 50);
    for (const LifeGameSpace& cell : board.cells) {
        EXPECT_NE(cell.state, LifeGameSpace::kWall);
    }
}

// Title buttons answer the mouse with the lit half of their sheet.
TEST(TitleKit, LitButtonsShowTheirLitBandWhileTheMouseIsOverThem) {
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink);
    gfx::Texture sheet(128, 256);
    MouseChangeObject2D button;
    button.Create(&device, &sheet, 88.0f, 258.0f, 128.0f, 32.0f);
    button.SetHitBox(112.0f, 28.0f, 0.0f, 0.0f);
    SceneContext input;
    input.SetMouse(88 + 57, 258);  // beside the face, inside the picture's clear margin
    EXPECT_FALSE(title::LitButtonClicked(button, 2, 8, input, true));
    EXPECT_FLOAT_EQ(button.vTop, 2.0f / 8.0f);
    input.SetMouse(88 + 55, 258);
    EXPECT_FALSE(title::LitButtonClicked(button, 2, 8, input, true));
    EXPECT_FLOAT_EQ(button.vTop, 6.0f / 8.0f);
    EXPECT_FALSE(title::LitButtonClicked(button, 2, 8, input, false));  // a screen fading out stays plain
    EXPECT_FLOAT_EQ(button.vTop, 2.0f / 8.0f);
    input.SetButtons(1, 0);
    EXPECT_TRUE(title::LitButtonClicked(button, 2, 8, input, true));
}

TEST_F(SceneTitleTest, QuitPostsTheQuitMessageOnceTheFadeHasCovered) {
    harness.Click(kMenuX, kMenuQuitY);
    int code = -1;
    EXPECT_FALSE(platform::QuitPosted(code));  // not before the screen is covered
    for (int i = 0; i < 120 && !platform::QuitPosted(code); ++i) {
        harness.Frame();
    }
    EXPECT_TRUE(platform::QuitPosted(code));
    EXPECT_EQ(code, 0);
}

}  // namespace
