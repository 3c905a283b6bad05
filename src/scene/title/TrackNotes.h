#pragma once
#include <string>
#include <string_view>
#include <vector>

// The music room's words for a track: its title and a comment of a few lines. They come as text
// in the music pack ("music_room.txt"), one block per track:
//
//   track bgm_title.wav
//   title 月下のヴェルモリア
//   comment a line of the comment (three or four such lines)
//
// '#' starts a comment line; lines the reader does not know are skipped.
struct TrackNote {
    std::string file;
    std::string title;
    std::string comment;  // its lines joined with line feeds
};

std::vector<TrackNote> ParseTrackNotes(std::string_view text);
