#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "resource/RequiredAssets.h"

namespace {

struct TrackText {
    std::string file;
    std::string title;
    std::vector<std::string> comment;
};

std::vector<TrackText> ReadMusicRoomText() {
    const std::filesystem::path path =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "music_room.txt";
    std::ifstream in(path);
    std::vector<TrackText> tracks;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (word == "track") {
            tracks.push_back({rest, "", {}});
        } else if (word == "title" && !tracks.empty()) {
            tracks.back().title = rest;
        } else if (word == "comment" && !tracks.empty()) {
            tracks.back().comment.push_back(rest);
        } else {
            ADD_FAILURE() << "unexpected line: " << line;
        }
    }
    return tracks;
}

TEST(MusicRoomText, EveryTrackOfTheRoomHasATitleAndAShortComment) {
    const std::vector<TrackText> tracks = ReadMusicRoomText();
    const auto music = required_assets::MusicTracks();
    ASSERT_EQ(tracks.size(), music.size());
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        EXPECT_EQ(tracks[i].file, music[i]) << "track " << i;
        EXPECT_FALSE(tracks[i].title.empty()) << tracks[i].file;
        EXPECT_GE(tracks[i].comment.size(), 3u) << tracks[i].file;
        EXPECT_LE(tracks[i].comment.size(), 4u) << tracks[i].file;
    }
}

}  // namespace
