#pragma once
#include <functional>
#include <string>
#include <vector>

// How one character sits on a line: how far it moves the pen, and where its ink ends, both in
// pixels from where the pen was.
struct GlyphExtent {
    int advance;
    int inkRight;
};

// Breaks text into lines whose ink stays within `width` pixels, as measured character by
// character by `measure` (given a character's UTF-8 bytes). The text's own line breaks stay, with one change: what
// a line cannot hold flows on into the start of the next line when that line has words of its
// own, so a sentence the author broke by hand does not turn into a short orphan line. Japanese
// text breaks between any two characters, except before closing punctuation and the long vowel
// mark; Latin words break only at spaces, unless a word alone is wider than the line.
std::string WrapText(const std::string& text, int width,
                     const std::function<GlyphExtent(const std::string&)>& measure);

// The text's lines, split at each '\n' (a text without one is one line; a final '\n' ends with an
// empty line).
std::vector<std::string> SplitLines(const std::string& text);
