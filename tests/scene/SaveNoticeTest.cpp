#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/RenderStates.h"
#include "platform/MessageBox.h"
#include "resource/FileWriter.h"
#include "resource/SaveFile.h"
#include "scene/GameHarness.h"
#include "scene/game/SaveNotice.h"
#include "support/RecordingDevice.h"

namespace {

constexpr int kBasic = 1;
constexpr float kFieldRight = 448.0f;
constexpr float kMenuItemsBottom = 384.0f;

// Rows of the texture that hold any ink.
std::vector<bool> InkedRows(const gfx::Texture& texture) {
    std::vector<bool> rows(static_cast<std::size_t>(texture.Height()), false);
    for (int y = 0; y < texture.Height(); ++y) {
        for (int x = 0; x < texture.Width(); ++x) {
            if ((texture.Pixels()[y * texture.Width() + x] >> 24) != 0) {
                rows[static_cast<std::size_t>(y)] = true;
            }
        }
    }
    return rows;
}

// Separate runs of inked rows: lines of text.
int TextLines(const std::vector<bool>& rows) {
    int lines = 0;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        lines += rows[y] && (y == 0 || !rows[y - 1]);
    }
    return lines;
}

// Both sides of the easy corridor lined with basic towers at the top level: every wave dies.
void ClearTheEasyCorridor(GameHarness& harness) {
    harness.Frames(2);
    for (const int y : {176, 272}) {
        for (int x = 48; x <= 400; x += 32) {
            harness.Place(kBasic, x, y);
            harness.PressKey(kKeyD);
            harness.Click(x, y);
            for (int level = 0; level < 5; ++level) {
                harness.PressKey(kKeyU);
            }
            harness.PressKey(kKeyD);
        }
    }
    harness.PressKey(kKeyN);
    GameMain& game = harness.Game();
    ASSERT_TRUE(harness.RunUntil(
        [&] {
            if (!game.Gauge().AllStarted() && game.Field()->Enemies().empty()) {
                harness.PressKey(kKeyN);
            }
            return game.Cleared() || game.Failed();
        },
        200000));
    ASSERT_TRUE(game.Cleared());
}

field::StageRequest RichEasyCorridor() {
    field::StageRequest request;
    request.options[field::kOptionRichStart] = 1;
    return request;
}

}  // namespace

TEST(SaveNotice, DrawsNothingUntilShownThenTheMessageOnTwoLinesInABandAtTheFootOfTheField) {
    RecordingDevice device;
    SaveNotice notice;
    notice.Init(&device);
    notice.Draw();
    EXPECT_TRUE(device.draws.empty());

    notice.Show();
    notice.Draw();
    ASSERT_EQ(device.draws.size(), 2u);
    const RecordingDevice::Draw& band = device.draws[0];
    const RecordingDevice::Draw& text = device.draws[1];
    for (const RecordingDevice::Draw* draw : {&band, &text}) {
        for (const QuadVertex& corner : draw->vertices) {
            EXPECT_GE(corner.x, 0.0f);
            EXPECT_LE(corner.x, kFieldRight);
            EXPECT_GT(corner.y, kMenuItemsBottom);  // below the result window and the menu
        }
    }
    EXPECT_EQ(band.texture, nullptr);
    EXPECT_GT(band.vertices[0].diffuse >> 24, 0u);
    EXPECT_EQ(band.vertices[0].diffuse & 0xFFFFFFu, 0u);  // a dark band under white text

    ASSERT_NE(text.texture, nullptr);
    EXPECT_EQ(text.minFilter, gfx::TEXF_POINT);
    // "save.dat を書き込めませんでした" and, below it, the note that the old records stand.
    EXPECT_EQ(TextLines(InkedRows(*text.texture)), 2);
}

// The clear's save goes to a temporary file first; a folder in its way makes the write fail as
// a full disk or a read-only folder would, even for root. A file in the folder keeps the clean-up
// after the failed write from removing it.
TEST(SaveNotice, AClearWhoseSaveFailsSaysSoOnScreenAndKeepsTheEarlierRecords) {
    GameHarness harness;
    const field::StageRequest request = RichEasyCorridor();
    ASSERT_TRUE(CSaveFile().Save(0, 0, 0, request.options, 150));
    GameMain& game = harness.Open(request);
    const std::string before = ReadWholeFile(harness.Folder() / "save.dat");
    std::filesystem::create_directory(harness.Folder() / "save.dat.tmp");
    std::ofstream(harness.Folder() / "save.dat.tmp" / "in-the-way");

    ClearTheEasyCorridor(harness);
    EXPECT_TRUE(game.SaveFailureShown());
    EXPECT_GT(game.BestScore(), 150);
    harness.Frames(5);
    harness.Close();
    EXPECT_TRUE(ReadWholeFile(harness.Folder() / "save.dat") == before);
    EXPECT_EQ(CSaveFile().ReadBestScore(0, 0, 0, request.options), 150);
    EXPECT_NE(ReadWholeFile(harness.Folder() / "log.txt").find(CSaveFile::kWriteFailedMessage), std::string::npos);
}

TEST(SaveNotice, AClearThatIsSavedShowsNoNotice) {
    GameHarness harness;
    const field::StageRequest request = RichEasyCorridor();
    GameMain& game = harness.Open(request);
    ClearTheEasyCorridor(harness);
    EXPECT_FALSE(game.SaveFailureShown());
    EXPECT_EQ(CSaveFile().ReadBestScore(0, 0, 0, request.options), game.BestScore());
}

namespace {

class RefusingWriter final : public FileWriter {
public:
    bool WriteAll(const std::string&, const std::uint8_t*, std::size_t) override { return false; }
};

}  // namespace

// A run without a window may have no log to read either (it sits in the same folder).
TEST(SaveNotice, AFailedWriteIsToldOnStderrWhenThereAreNoDialogs) {
    ScopedTempDir dir;
    CSaveFile{};  // the file on disk
    RefusingWriter refusing;
    CSaveFile save(&refusing);
    for (const bool dialogs : {false, true}) {
        platform::SetDialogsEnabled(dialogs);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(save.Save(0, 0, 0, CSaveFile::kNoOptions, 500));
        const bool told = testing::internal::GetCapturedStderr().find(CSaveFile::kWriteFailedMessage) != std::string::npos;
        EXPECT_EQ(told, !dialogs);
    }
    platform::SetDialogsEnabled(false);
}
