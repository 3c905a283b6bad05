#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// What the game remembers of its window between runs, in a small text file of its own beside
// "save.dat" (whose layout is fixed): one "key value" line per setting, "#" starts a comment.
//
//   # Velmoria window settings
//   scale 2
struct WindowSettings {
    static constexpr int kMinScale = 1;
    static constexpr int kMaxScale = 16;
    // The largest file read: the game writes a few dozen bytes, a player's comments may add some.
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    int scale = 0;  // the window's whole-number scale; 0 when none is remembered

    bool operator==(const WindowSettings&) const = default;
};

// Reads the settings; false with a one-line reason for a line it cannot read, and the settings
// as they were. Keys it does not know are skipped, so a file from a newer game still gives its
// scale.
bool ParseWindowSettings(std::string_view text, WindowSettings& settings, std::string& error);
std::string FormatWindowSettings(const WindowSettings& settings);
