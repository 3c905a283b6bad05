#include "app/ReplayFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>
#include <utility>

#include "field/StageTable.h"
#include "input/InputScript.h"
#include "input/ScanCodes.h"
#include "scene/title/GameSelect.h"

namespace {

constexpr std::string_view kMagic = "velmoria replay";
constexpr std::string_view kInputLine = "input";
constexpr std::string_view kChecksumWord = "checksum ";

// Splits a line into words on spaces.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(' ', at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(line.find(' ', start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

template <typename T>
bool Number(std::string_view text, T& value, int base = 10) {
    if (text.empty()) {
        return false;
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool HeldName(std::string_view name) {
    std::uint32_t code = 0;
    return name == "left" || name == "right" || input::ScanCodeFromName(name, code);
}

// The text with every CR LF line end turned into LF (and CRs piled up before one dropped too,
// so that what is read back from a replay written out again is the same).
std::string WithLfEnds(std::string_view text) {
    std::string lf;
    lf.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            const std::size_t end = text.find_first_not_of('\r', i);
            if (end != std::string_view::npos && text[end] == '\n') {
                i = end - 1;
                continue;
            }
        }
        lf += text[i];
    }
    return lf;
}

// A version is printed in messages: printable characters only.
bool Printable(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// Reads one header line "key values..." into the replay; false for anything else.
bool ReadHeaderLine(std::string_view key, const std::vector<std::string_view>& values, Replay& replay) {
    auto count = [&](std::size_t n) { return values.size() == n; };
    if (key == "game") {
        if (!count(1) || !Printable(values[0])) {
            return false;
        }
        replay.gameVersion = values[0];
        return true;
    }
    if (key == "packs") {
        return count(1) && values[0].size() == 16 && Number(values[0], replay.packs, 16);
    }
    if (key == "request") {
        // Only what the game select can ask for: a replay of any other battle was not recorded
        // by this game, and would play some fallback as if it were the recorded one.
        if (!count(10) || !Number(values[0], replay.stage) || !Number(values[1], replay.difficulty) ||
            !Number(values[2], replay.character) || replay.stage >= field::kStageCount ||
            replay.difficulty >= field::kDifficultyCount || replay.character >= GameSelect::kCharacters) {
            return false;
        }
        for (std::size_t i = 0; i < replay.options.size(); ++i) {
            if (!Number(values[3 + i], replay.options[i]) || replay.options[i] > 1) {
                return false;
            }
        }
        return true;
    }
    if (key == "random") {
        return count(2) && Number(values[0], replay.loaderRandom) && Number(values[1], replay.battleRandom);
    }
    if (key == "cursor") {
        return count(2) && Number(values[0], replay.cursorX) && Number(values[1], replay.cursorY);
    }
    if (key == "held") {
        replay.held.clear();
        for (const std::string_view name : values) {
            if (!HeldName(name)) {
                return false;
            }
            replay.held.emplace_back(name);
        }
        return true;
    }
    if (key == "frames") {
        return count(1) && Number(values[0], replay.frames);
    }
    if (key == "result") {
        return count(3) && Number(values[0], replay.result.score) && Number(values[1], replay.result.lives) &&
               Number(values[2], replay.result.wave);
    }
    return false;
}

// Reads into a fresh replay, which a refused text may leave half-read.
bool ReadReplay(std::string_view text, Replay& replay, std::string& error) {
    // The checksum line comes last and covers everything before it; check it first, so a
    // damaged file is reported as damaged rather than by the first odd line in it.
    const std::size_t checksumAt = text.rfind(kChecksumWord);
    if (checksumAt == std::string_view::npos || (checksumAt > 0 && text[checksumAt - 1] != '\n')) {
        error = "the replay is cut short (it has no checksum line)";
        return false;
    }
    std::string_view checksumText = text.substr(checksumAt + kChecksumWord.size());
    std::uint32_t checksum = 0;
    if (checksumText.size() != 9 || checksumText.back() != '\n' || !Number(checksumText.substr(0, 8), checksum, 16) ||
        checksum != ReplayChecksum(text.substr(0, checksumAt))) {
        error = "the replay is damaged (its checksum does not match)";
        return false;
    }

    const std::string_view body = text.substr(0, checksumAt);
    const std::size_t inputAt = body.find("\ninput\n");
    if (inputAt == std::string_view::npos) {
        error = "the replay has no input section";
        return false;
    }
    std::istringstream lines{std::string(body.substr(0, inputAt))};
    std::string line;
    int lineNumber = 0;
    // Every header line once: game, packs, request, random, cursor, held, frames, result.
    constexpr std::size_t kHeaderLines = 8;
    std::vector<std::string> seen;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::vector<std::string_view> words = Words(line);
        if (lineNumber == 1) {
            if (line != std::string(kMagic) + " " + std::to_string(Replay::kFormat)) {
                error = line.rfind(kMagic, 0) == 0 ? "the replay is of another format version than this game reads"
                                                   : "not a replay file";
                return false;
            }
            continue;
        }
        if (words.empty() || std::find(seen.begin(), seen.end(), words[0]) != seen.end() ||
            !ReadHeaderLine(words[0], {words.begin() + 1, words.end()}, replay)) {
            error = "line " + std::to_string(lineNumber) + " of the replay cannot be read";
            return false;
        }
        seen.emplace_back(words[0]);
    }
    if (seen.size() != kHeaderLines) {
        error = "the replay's header is incomplete";
        return false;
    }
    if (replay.frames == 0) {
        error = "the replay holds no frame of a battle";
        return false;
    }
    if (replay.frames > Replay::kMaxFrames) {
        error = "the replay claims " + std::to_string(replay.frames) + " frames, more than the " +
                std::to_string(Replay::kMaxFrames) + " (a day of play) a replay can hold";
        return false;
    }
    replay.input = body.substr(inputAt + 1 + kInputLine.size() + 1);
    input::InputScript script;
    std::string why;
    if (!script.Parse(replay.input, why)) {
        error = "the replay's input cannot be read (input line " + why + ")";
        return false;
    }
    return true;
}

}  // namespace

std::uint32_t ReplayChecksum(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    }
    return hash;
}

bool ParseReplay(std::string_view text, Replay& replay, std::string& error) {
    std::string lfText;
    if (text.find("\r\n") != std::string_view::npos) {
        lfText = WithLfEnds(text);
        text = lfText;
    }
    Replay read;
    if (!ReadReplay(text, read, error)) {
        return false;
    }
    replay = std::move(read);
    return true;
}

std::string FormatReplay(const Replay& replay) {
    char packs[17];
    std::snprintf(packs, sizeof packs, "%016llx", static_cast<unsigned long long>(replay.packs));
    std::string text = std::string(kMagic) + " " + std::to_string(Replay::kFormat) + "\n";
    text += "game " + replay.gameVersion + "\n";
    text += std::string("packs ") + packs + "\n";
    text += "request " + std::to_string(replay.stage) + " " + std::to_string(replay.difficulty) + " " +
            std::to_string(replay.character);
    for (const std::uint8_t option : replay.options) {
        text += " " + std::to_string(option);
    }
    text += "\nrandom " + std::to_string(replay.loaderRandom) + " " + std::to_string(replay.battleRandom) + "\n";
    text += "cursor " + std::to_string(replay.cursorX) + " " + std::to_string(replay.cursorY) + "\n";
    text += "held";
    for (const std::string& name : replay.held) {
        text += " " + name;
    }
    text += "\nframes " + std::to_string(replay.frames) + "\n";
    text += "result " + std::to_string(replay.result.score) + " " + std::to_string(replay.result.lives) + " " +
            std::to_string(replay.result.wave) + "\n";
    text += std::string(kInputLine) + "\n" + replay.input;
    if (!replay.input.empty() && replay.input.back() != '\n') {
        text += "\n";
    }
    char checksum[9];
    std::snprintf(checksum, sizeof checksum, "%08x", ReplayChecksum(text));
    return text + std::string(kChecksumWord) + checksum + "\n";
}
