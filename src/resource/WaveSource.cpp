#include "resource/WaveSource.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "base/EnemyKind.h"
#include "resource/PackFormat.h"

namespace waves {

namespace {

std::vector<std::string_view> SplitWords(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    constexpr std::string_view kSpace = " \t\r\f\v";
    std::size_t at = line.find_first_not_of(kSpace);
    while (at != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kSpace, at);
        words.push_back(line.substr(at, end == std::string_view::npos ? end : end - at));
        at = line.find_first_not_of(kSpace, end);
    }
    return words;
}

// Calls visit(line) for every line of the text, without the line ends; stops when visit says so.
template <typename Visit>
bool ForEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!visit(text.substr(0, end))) {
            return false;
        }
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return true;
}

template <typename Number>
bool ParseNumber(std::string_view word, Number& value) {
    const char* end = word.data() + word.size();
    const auto [stop, problem] = std::from_chars(word.data(), end, value);
    return problem == std::errc() && stop == end;
}

// One parse in progress: the stages so far and where each key was first seen.
class SourceParser {
public:
    SourceParser(std::vector<Stage>& stages, std::vector<std::string>& warnings)
        : stages_(stages), warnings_(warnings) {}

    bool Line(int number, std::string_view text, std::string& error) {
        line_ = number;
        const std::vector<std::string_view> words = SplitWords(text);
        if (words.empty()) {
            return true;
        }
        std::string problem;
        const bool done = Statement(words, problem);
        if (!done) {
            error = "line " + std::to_string(number) + ": " + problem;
        }
        return done;
    }

private:
    bool Statement(const std::vector<std::string_view>& words, std::string& problem) {
        if (words[0] == "stage") {
            return Arguments(words, 1, "stage KEY", problem) && StartStage(words[1], problem);
        }
        if (words[0] == "points") {
            return Arguments(words, 1, "points NUMBER", problem) && InStage("points", problem) &&
                   Points(words[1], problem);
        }
        if (words[0] == "wave") {
            return Arguments(words, 3, "wave KIND HEALTH REWARD", problem) && InStage("wave", problem) &&
                   AddWave(words, problem);
        }
        problem = "unknown statement '" + std::string(words[0]) + "' (expected stage, points or wave)";
        return false;
    }

    static bool Arguments(const std::vector<std::string_view>& words, std::size_t count, const char* form,
                          std::string& problem) {
        if (words.size() == count + 1) {
            return true;
        }
        problem = std::string("expected '") + form + "'";
        return false;
    }

    bool InStage(const char* statement, std::string& problem) const {
        if (!stages_.empty()) {
            return true;
        }
        problem = std::string("'") + statement + "' before the first 'stage'";
        return false;
    }

    bool StartStage(std::string_view key, std::string& problem) {
        if (key.size() > pack::kMaxNameLength) {
            problem = "stage key '" + std::string(key) + "' is longer than 31 characters";
            return false;
        }
        if (!IsWritableStageKey(key)) {
            problem = "stage key holds a control character";
            return false;
        }
        const auto [seen, fresh] = firstLine_.try_emplace(std::string(key), line_);
        if (!fresh) {
            problem = "stage '" + std::string(key) + "' was already given on line " + std::to_string(seen->second);
            return false;
        }
        stages_.push_back(Stage{std::string(key), 0, {}});
        pointsGiven_ = false;
        return true;
    }

    bool Points(std::string_view word, std::string& problem) {
        if (pointsGiven_) {
            problem = "stage '" + stages_.back().key + "' already has its points";
            return false;
        }
        if (!ParseNumber(word, stages_.back().points)) {
            problem = "points '" + std::string(word) + "' is not a whole number that fits in 32 bits";
            return false;
        }
        pointsGiven_ = true;
        return true;
    }

    bool AddWave(const std::vector<std::string_view>& words, std::string& problem) {
        Wave wave;
        if (!ParseNumber(words[1], wave.kind) || !ParseNumber(words[2], wave.health) ||
            !ParseNumber(words[3], wave.reward)) {
            problem = "wave needs three whole numbers: kind id and reward from 0, health signed, all in 32 bits";
            return false;
        }
        if (!IsKindId(static_cast<int>(wave.kind))) {
            warnings_.push_back("line " + std::to_string(line_) + ": kind id " + std::to_string(wave.kind) +
                                " makes no enemy; the wave will be empty");
        }
        stages_.back().waves.push_back(wave);
        return true;
    }

    std::vector<Stage>& stages_;
    std::vector<std::string>& warnings_;
    std::map<std::string, int> firstLine_;
    bool pointsGiven_ = false;
    int line_ = 0;
};

}  // namespace

bool ParseWaveSource(std::string_view text, std::vector<Stage>& stages, std::string& error,
                     std::vector<std::string>& warnings) {
    stages.clear();
    warnings.clear();
    SourceParser parser(stages, warnings);
    int number = 0;
    if (!ForEachLine(text, [&](std::string_view line) { return parser.Line(++number, line, error); })) {
        stages.clear();
        return false;
    }
    return true;
}

bool IsWritableStageKey(std::string_view key) {
    return !key.empty() && key.size() <= pack::kMaxNameLength && std::none_of(key.begin(), key.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || c == '#';
    });
}

std::string FormatWaveSource(const std::vector<Stage>& stages, std::string_view header) {
    std::string text;
    ForEachLine(header, [&](std::string_view line) {
        text += "# " + std::string(line) + "\n";
        return true;
    });
    for (const Stage& stage : stages) {
        text += "\nstage " + stage.key + "    # waves: " + std::to_string(stage.waves.size()) + "\n";
        text += "points " + std::to_string(stage.points) + "\n";
        for (const Wave& wave : stage.waves) {
            text += "wave " + std::to_string(wave.kind) + " " + std::to_string(wave.health) + " " +
                    std::to_string(wave.reward) + "\n";
        }
    }
    return text;
}

}  // namespace waves
