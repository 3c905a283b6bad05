#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The entries of a gettext catalogue's source (.po or .pot), as far as the tests need them: the
// context, the source text, the translation, the "Fits:" comments and whether it is fuzzy.
struct PoEntry {
    std::string context;
    std::string source;
    std::string translation;
    std::vector<std::string> fits;  // what follows "#. Fits: "
    bool fuzzy = false;
};

inline std::string PoUnquote(const std::string& line) {
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    std::string text;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] == '\\' && i + 1 < close) {
            const char c = line[++i];
            text += c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            text += line[i];
        }
    }
    return text;
}

// Every entry but the header.
inline std::vector<PoEntry> ReadPoFile(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::vector<PoEntry> entries;
    PoEntry entry;
    std::string* field = nullptr;
    bool started = false;
    auto finish = [&] {
        if (started && !entry.source.empty()) {
            entries.push_back(entry);
        }
        entry = PoEntry{};
        field = nullptr;
        started = false;
    };
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty()) {
            finish();
        } else if (line.rfind("#. Fits: ", 0) == 0) {
            entry.fits.push_back(line.substr(9));
        } else if (line.rfind("#,", 0) == 0) {
            entry.fuzzy = entry.fuzzy || line.find("fuzzy") != std::string::npos;
        } else if (line.rfind("msgctxt ", 0) == 0) {
            field = &entry.context;
            *field = PoUnquote(line);
        } else if (line.rfind("msgid ", 0) == 0) {
            started = true;
            field = &entry.source;
            *field = PoUnquote(line);
        } else if (line.rfind("msgstr ", 0) == 0) {
            field = &entry.translation;
            *field = PoUnquote(line);
        } else if (line[0] == '"' && field != nullptr) {
            *field += PoUnquote(line);
        }
    }
    finish();
    return entries;
}

inline std::filesystem::path SourceRoot() { return VELMORIA_SOURCE_DIR; }
