#pragma once
#include <cstddef>
#include <cstdint>

// How many of the first `length` bytes of text can be kept without splitting a UTF-8 character.
std::size_t Utf8CutLength(const char* text, std::size_t length);

// Decodes the character at text (with `left` bytes available) into codePoint and returns the
// bytes it takes. A malformed or truncated sequence decodes as U+FFFD and takes one byte, so a
// bad string still advances and never reads past its end.
std::size_t DecodeUtf8(const char* text, std::size_t left, std::uint32_t& codePoint);
