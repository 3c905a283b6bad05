#pragma once
#include <filesystem>
#include <string>

namespace platform {

// A font file and the face inside it.
struct FontFile {
    std::filesystem::path path;
    int index = 0;
};

// Finds the system's fonts by family name: on Linux through fontconfig (its best match for the
// family, and for the language when one is given); on Windows among the fonts shipped in the
// "fonts" folder beside the game, in a browser among those the page put in "/fonts" (IPAGothic
// for Japanese and anything unknown, DejaVu Sans).
// One per process; fontconfig's configuration is let go of when it ends.
class FontMatch {
public:
    FontMatch();
    ~FontMatch();
    FontMatch(const FontMatch&) = delete;
    FontMatch& operator=(const FontMatch&) = delete;

    bool Find(const std::string& family, const char* language, FontFile& file) const;
};

}  // namespace platform
