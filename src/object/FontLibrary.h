#pragma once
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/FontMatch.h"

// The process's one FreeType library and its open faces, found by family name through the
// system's fonts (platform::FontMatch). Faces stay open until exit, so fonts are opened once however often text is set.
// FreeType objects are not thread-safe: everything that touches a face holds Lock().
class FontLibrary {
public:
    static FontLibrary& Instance();

    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    std::mutex& Lock() { return mutex_; }

    // The face for a family the game asks for. The game's Windows family names map to installed
    // ones; a family that is not installed gets the system's closest match. Null only when no
    // font at all can be opened. Call with Lock() held.
    FT_Face FaceFor(const std::string& family);
    // A Japanese face for characters the chosen face lacks. Call with Lock() held.
    FT_Face FallbackFace();

private:
    FontLibrary();
    ~FontLibrary();

    FT_Face OpenMatch(const std::string& family, const char* language);

    platform::FontMatch match_;
    FT_Library library_ = nullptr;
    std::list<std::vector<FT_Byte>> fontBytes_;  // the open faces' files, which FreeType reads from
    std::mutex mutex_;
    std::map<std::string, FT_Face> facesByFile_;
    std::map<std::string, FT_Face> facesByFamily_;
    FT_Face fallback_ = nullptr;
    bool fallbackLooked_ = false;
};
