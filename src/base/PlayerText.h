#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Text files the player hands the game (input scripts, replays, the window settings) and the
// player's text quoted back in one-line messages.

// Reads the whole file, at most limit bytes: a larger file, or a device or pipe that gives more,
// is refused before it fills memory. False with the reason, which does not name the file ("it
// is a folder, not a file", "it does not exist", "it holds more than 1024 bytes", ...).
bool ReadTextFile(const std::filesystem::path& path, std::size_t limit, std::string& text, std::string& error);

// The longest stretch of the player's text a message quotes.
inline constexpr std::size_t kExcerptBytes = 40;

// The text in quotes for a one-line message: control characters are written as \xNN, so no text
// can break the line or move the terminal's cursor, and text longer than kExcerptBytes is cut
// there (at a character's start) and followed by "..." and its whole length.
std::string QuotedExcerpt(std::string_view text);
