#pragma once

namespace assetgen {

// The languages the pictures with words are painted in. Japanese, the game's own, goes under
// the picture's own name; every other language under its variant's name ("menu.en.png"), which
// the game shows instead while that language is in use.
enum class Language { Japanese, English };

// The code the game knows a language other than Japanese by.
inline const char* CodeOf(Language language) { return language == Language::English ? "en" : "ja"; }

// One text in each language. English says the same in words that fit the Japanese text's cell.
struct Words {
    const char* japanese = "";
    const char* english = "";

    const char* In(Language language) const { return language == Language::Japanese ? japanese : english; }
    bool Empty() const { return japanese[0] == '\0'; }
};

// A value (a size, a font) that differs by language.
template <class T>
T ByLanguage(Language language, T japanese, T english) {
    return language == Language::Japanese ? japanese : english;
}

}  // namespace assetgen
