#pragma once
#include <string>
#include <string_view>
#include <unordered_map>

// One language's translations, read from a compiled gettext catalogue (a .mo file, as msgfmt
// writes it). Entries are keyed by their Japanese source text; a text with a context is keyed
// "context\x04text", as gettext keeps it. The catalogue's header (the empty source text) and
// untranslated entries are left out, so a lookup that finds nothing means "keep the Japanese".
class Catalogue {
public:
    // False with a one-line reason when the bytes are not a catalogue the game can read (a wrong
    // magic number or revision, a table or string past the end of the file); the catalogue is
    // then left empty.
    bool Parse(std::string_view bytes, std::string& error);

    // The translation, or null when there is none.
    const std::string* Find(std::string_view source) const;
    std::size_t Size() const { return entries_.size(); }

private:
    std::unordered_map<std::string, std::string> entries_;
};
