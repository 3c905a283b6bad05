#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>


// Every text the player sees is written in Japanese in the code and looked up, where it is shown,
// in the catalogue of the language in use (po/*.po, compiled into "<code>.mo" beside the packs).
// Japanese needs no catalogue; a text a catalogue lacks stays Japanese.
//
// The markers below are what the catalogue's template is extracted by (xgettext, see
// po/README.md): Tr and TrIn translate at once, the N_ family only marks a text kept in a table
// and translated where it is used. The N_ variants say which box the text is drawn in, so the
// template tells translators (and the fitting test) how much room there is.
#define N_(text) text
#define NC_(context, text) text  // with the context that says what it is
#define N_NAME(text) text     // a name on the side panel (a tower's, an enemy's)
#define N_TEXT(text) text     // a tower's description on the side panel
#define N_NOTE(text) text     // a tower's note below its figures
#define N_KEY(text) text      // a line of the list of keys
#define N_TRAIT(text) text    // what sets an enemy apart, in the guides
#define N_MESSAGE(text) text  // a message box, or a message on stderr

const char* Tr(const char* source);
std::string Tr(const std::string& source);
// A text whose Japanese alone does not say enough to translate it, with the context that does.
const char* TrIn(const char* context, const char* source);

namespace language {

// The language of the code's own texts.
inline constexpr std::string_view kSource = "ja";

struct Choice {
    std::string code;  // "ja", "en", ...: the catalogue's file name without ".mo"
    std::string name;  // the language's own name for itself ("日本語", "English")
};

// Japanese first, then the language of every "<code>.mo" in the folder, by code; a catalogue that
// cannot be read is left out.
std::vector<Choice> Installed(const std::filesystem::path& folder);

// Whether the word can name a language: letters, digits, '_', '-' and '@', at most 16 of them.
bool ValidCode(std::string_view code);

// Puts the language in use: its catalogue is read from the folder the first time. False with a
// one-line reason when it cannot be read; the language in use then stays as it was.
bool Use(std::string_view code, const std::filesystem::path& folder, std::string& error);
// The code of the language in use ("ja" until another is put in use).
std::string Current();
bool SourceInUse();
// Counts the switches, so a screen that rendered its texts once can see it must render them again.
std::uint32_t Generation();

}  // namespace language
