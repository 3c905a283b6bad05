#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/PoFile.h"

// Nothing the player reads bypasses the catalogue: every Japanese string literal in the game's
// sources is marked for it (or is one of the few texts that never reach the screen), the template
// holds every marked text, and every catalogue translates every text of the template.
namespace {

// Calls whose text goes to log.txt only, which keeps the Japanese for the people who read bug
// reports, and texts that are no words at all.
const char* const kNotShownCalls[] = {"WriteLog(", "WriteLog((", "LogPutout firstLine("};
const std::set<std::string> kNotWords = {
    "MSゴシック", "ＭＳ ゴシック",   // font family names, matched to installed fonts
    "（",                            // where the save notice's Japanese breaks
    "REFERENCE RASTERIZEで動作します",  // a log line of the device table
    "♪%s",                              // the note sign before a title the catalogue translates
};
const char* const kMarkers[] = {"Tr(", "TrIn(", "N_(", "NC_(", "N_NAME(", "N_TEXT(", "N_NOTE(",
                                "N_KEY(", "N_TRAIT(", "N_MESSAGE("};

bool HasNonAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

struct Literal {
    std::string text;
    std::string before;  // the code just before it, blanks removed, to find the call it is given to
    int line;
};

// String literals outside comments, with the code before each.
std::vector<Literal> Literals(const std::string& source) {
    std::vector<Literal> found;
    std::string code;  // the code so far, without blanks
    int line = 1;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '\n') {
            ++line;
        } else if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
            i = source.find('\n', i) - 1;
        } else if (c == '/' && i + 1 < source.size() && source[i + 1] == '*') {
            i = source.find("*/", i) + 1;
        } else if (c == '\'') {
            i = source.find('\'', i + (source[i + 1] == '\\' ? 3 : 2));
        } else if (c == '"') {
            std::string text;
            std::size_t j = i + 1;
            for (; j < source.size() && source[j] != '"'; ++j) {
                text += source[j];
                if (source[j] == '\\') {
                    text += source[++j];
                }
            }
            // Context argument of a marker: the text is what comes after the comma.
            found.push_back({text, code.size() > 40 ? code.substr(code.size() - 40) : code, line});
            code += "\"\"";
            i = j;
        } else if (c != ' ' && c != '\t') {
            code += c;
        }
    }
    return found;
}

bool Marked(const Literal& literal) {
    for (const char* marker : kMarkers) {
        if (EndsWith(literal.before, marker)) {
            return true;
        }
    }
    // The text after a context: TrIn("context", "text"), NC_("context", "text").
    for (const char* marker : {"TrIn(\"\",", "NC_(\"\","}) {
        if (EndsWith(literal.before, marker)) {
            return true;
        }
    }
    return false;
}

bool NotShown(const Literal& literal) {
    if (kNotWords.count(literal.text) != 0 || EndsWith(literal.before, "U")) {
        return true;  // U"...": the line breaker's table of characters
    }
    // Inside a log call's arguments (WriteLog(a ? "x" : "y")): the statement starts with the call.
    const std::size_t statement = literal.before.find_last_of(";{}");
    const std::string current = statement == std::string::npos ? literal.before : literal.before.substr(statement + 1);
    if (current.rfind("WriteLog(", 0) == 0) {
        return true;
    }
    for (const char* call : kNotShownCalls) {
        std::string squeezed;
        for (const char* c = call; *c != '\0'; ++c) {
            if (*c != ' ') {
                squeezed += *c;
            }
        }
        if (EndsWith(literal.before, squeezed)) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(CatalogueCoverage, EveryJapaneseTextInTheCodeIsMarkedForTheCatalogue) {
    int marked = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(SourceRoot() / "src")) {
        const std::string extension = file.path().extension().string();
        if (extension != ".cpp" && extension != ".h") {
            continue;
        }
        std::ifstream in(file.path());
        std::stringstream source;
        source << in.rdbuf();
        for (const Literal& literal : Literals(source.str())) {
            if (!HasNonAscii(literal.text)) {
                continue;
            }
            if (Marked(literal)) {
                ++marked;
                continue;
            }
            EXPECT_TRUE(NotShown(literal)) << file.path().lexically_relative(SourceRoot()).string() << ":"
                                           << literal.line << ": \"" << literal.text
                                           << "\" reaches the player without the catalogue (after "
                                           << literal.before << ")";
        }
    }
    EXPECT_GT(marked, 100);
}

// The template is what xgettext extracts today (scripts/update-po --check needs Debian's gettext,
// which scripts/setup installs).
TEST(CatalogueCoverage, TheTemplateIsUpToDate) {
    const std::string command = "'" + (SourceRoot() / "scripts" / "update-po").string() + "' --check";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(CatalogueCoverage, EveryCatalogueTranslatesEveryTextOfTheTemplate) {
    std::set<std::pair<std::string, std::string>> templateTexts;
    for (const PoEntry& entry : ReadPoFile(SourceRoot() / "po" / "velmoria.pot")) {
        templateTexts.insert({entry.context, entry.source});
    }
    ASSERT_GT(templateTexts.size(), 100u);
    for (const auto& file : std::filesystem::directory_iterator(SourceRoot() / "po")) {
        if (file.path().extension() != ".po") {
            continue;
        }
        std::set<std::pair<std::string, std::string>> translated;
        for (const PoEntry& entry : ReadPoFile(file.path())) {
            EXPECT_FALSE(entry.fuzzy) << file.path().filename() << ": \"" << entry.source << "\"";
            EXPECT_FALSE(entry.translation.empty()) << file.path().filename() << ": \"" << entry.source << "\"";
            translated.insert({entry.context, entry.source});
        }
        EXPECT_EQ(translated, templateTexts) << file.path().filename();
    }
}
