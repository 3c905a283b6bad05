#include "app/WindowSettings.h"

#include <charconv>
#include <sstream>

#include "base/Language.h"

namespace {

// One setting's value into the settings read so far; false with what the value must be.
bool ReadValue(const std::string& key, const std::string& value, WindowSettings& read, std::string& expected) {
    if (key == "scale") {
        int scale = 0;
        const auto result = std::from_chars(value.data(), value.data() + value.size(), scale);
        if (result.ec != std::errc() || result.ptr != value.data() + value.size() ||
            scale < WindowSettings::kMinScale || scale > WindowSettings::kMaxScale) {
            expected = "the scale is a whole number from 1 to 16";
            return false;
        }
        read.scale = scale;
    } else if (key == "language") {
        if (!language::ValidCode(value)) {
            expected = "the language is a code such as ja or en";
            return false;
        }
        read.language = value;
    } else if (key == "guides") {
        if (!ParseOnOff(value, read.guides)) {
            expected = "the guides are on or off";
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseOnOff(std::string_view word, bool& value) {
    if (word != "on" && word != "off") {
        return false;
    }
    value = word == "on";
    return true;
}

bool ParseWindowSettings(std::string_view text, WindowSettings& settings, std::string& error) {
    WindowSettings read;
    std::istringstream lines{std::string(text)};
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream words(line);
        std::string key;
        std::string value;
        std::string extra;
        if (!(words >> key)) {
            continue;
        }
        if (!(words >> value) || (words >> extra)) {
            error = "line " + std::to_string(lineNumber) + ": expected a key and one value";
            return false;
        }
        std::string expected;
        if (!ReadValue(key, value, read, expected)) {
            error = "line " + std::to_string(lineNumber) + ": " + expected;
            return false;
        }
    }
    settings = read;
    return true;
}

std::string FormatWindowSettings(const WindowSettings& settings) {
    std::string text = "# Velmoria window settings\n";
    if (settings.scale != 0) {
        text += "scale " + std::to_string(settings.scale) + "\n";
    }
    text += settings.guides ? "guides on\n" : "guides off\n";
    // Japanese, the game's own language, needs no line: files from before the choice read the same.
    if (settings.language != language::kSource) {
        text += "language " + settings.language + "\n";
    }
    return text;
}
