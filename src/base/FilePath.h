#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// Paths travel through the game as UTF-8 text (command lines, settings, messages, the log). On
// Linux a path is that text; on Windows the C runtime's narrow file functions and the standard
// library's narrow path conversions take the ANSI code page instead, so a Japanese user name in
// a folder would be mangled. Every conversion and every file the game opens goes through here.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8Of(const std::filesystem::path& path);

// std::fopen for a path, or for UTF-8 text naming one. Files are always opened as binary (no
// line-end translation on Windows), so text the game writes is the same bytes everywhere.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);
std::FILE* OpenFile(const std::string& utf8, const char* mode);

// Pushes what was written to a file through to the disk; false when the system says it could not.
bool SyncToDisk(std::FILE* file);

// Renames `from` to `to`, replacing a file `to` in one step (never a moment with neither).
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
