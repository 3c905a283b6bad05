#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// What the game remembers between runs beyond the save, in a small text file of its own beside
// "save.dat" (whose layout is fixed): one "key value" line per setting, "#" starts a comment.
//
//   # Velmoria window settings
//   scale 2
//   guides on
//   language en
struct WindowSettings {
    static constexpr int kMinScale = 1;
    static constexpr int kMaxScale = 16;
    // The largest file read: the game writes a few dozen bytes, a player's comments may add some.
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    int scale = 0;       // the window's whole-number scale; 0 when none is remembered
    bool guides = true;  // the help drawn over the battle; on unless the player turned it off
    std::string language = "ja";  // the code of the language of the texts (a catalogue's name)

    bool operator==(const WindowSettings&) const = default;
};

// Reads the settings; false with a one-line reason for a line it cannot read, and the settings
// as they were. Keys it does not know are skipped, so a file from a newer game still gives its
// settings; a setting the file does not name keeps its default.
bool ParseWindowSettings(std::string_view text, WindowSettings& settings, std::string& error);
std::string FormatWindowSettings(const WindowSettings& settings);

// "on" or "off" for true or false; false for any other word. The command line says it the same way.
bool ParseOnOff(std::string_view word, bool& value);
