#include "scene/title/TrackNotes.h"

std::vector<TrackNote> ParseTrackNotes(std::string_view text) {
    std::vector<TrackNote> notes;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t space = line.find(' ');
        const std::string_view word = line.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        if (word == "track") {
            notes.push_back({std::string(rest), {}, {}});
        } else if (notes.empty()) {
            continue;
        } else if (word == "title") {
            notes.back().title = rest;
        } else if (word == "comment") {
            std::string& comment = notes.back().comment;
            if (!comment.empty()) {
                comment += '\n';
            }
            comment += rest;
        }
    }
    return notes;
}
