#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "resource/FilePackLoad.h"
#include "resource/RequiredAssets.h"
#include "scene/title/TrackNotes.h"
#include "support/TempDir.h"

namespace {

const std::filesystem::path kSource =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "music_room.txt";

TEST(MusicRoomText, EveryTrackOfTheRoomHasATitleAndAShortComment) {
    const std::vector<TrackNote> notes = ParseTrackNotes(ReadWholeFile(kSource));
    const auto music = required_assets::MusicTracks();
    ASSERT_EQ(notes.size(), music.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].file, music[i]) << "track " << i;
        EXPECT_FALSE(notes[i].title.empty()) << notes[i].file;
        const auto lines = 1 + std::count(notes[i].comment.begin(), notes[i].comment.end(), '\n');
        EXPECT_GE(lines, 3) << notes[i].file;
        EXPECT_LE(lines, 4) << notes[i].file;
    }
}

TEST(MusicRoomText, TheMusicPackCarriesTheTextAsWritten) {
    CFilePackLoad pack;
    ASSERT_TRUE(pack.TryOpen(std::string(VELMORIA_GAME_DIR) + "/wbkbgm.dat"));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(pack.ReadEntry("music_room.txt", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ReadWholeFile(kSource));
}

TEST(TrackNotes, ReadsBlocksAndSkipsWhatItDoesNotKnow) {
    const std::vector<TrackNote> notes = ParseTrackNotes(
        "# a comment\r\ntitle before any track is ignored\ntrack a.wav\ntitle A\ncomment one\r\ncomment two\n"
        "colour blue\ntrack b.wav\ncomment only");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].file, "a.wav");
    EXPECT_EQ(notes[0].title, "A");
    EXPECT_EQ(notes[0].comment, "one\ntwo");
    EXPECT_EQ(notes[1].title, "");
    EXPECT_EQ(notes[1].comment, "only");
}

}  // namespace
