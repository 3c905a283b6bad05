#include "app/BattleReplay.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "app/PackFingerprint.h"
#include "app/PlayerFolder.h"
#include "base/FilePath.h"
#include "base/PlayerText.h"
#include "field/StageTable.h"

namespace {

constexpr std::string_view kReplayExtension = ".replay";

constexpr const char* kCharacterNames[] = {"ardel", "sovia"};

// "_rouka_normal_ardel": the stage key carries the difficulty.
std::string NameTail(std::uint32_t stageNumber, std::uint32_t difficulty, bool bigFurball, std::uint32_t character) {
    const field::StageInfo stage =
        field::LookUpStage(static_cast<int>(stageNumber), static_cast<int>(difficulty), bigFurball);
    const std::string key = stage.key.empty()
                                ? "stage" + std::to_string(stageNumber) + "_difficulty" + std::to_string(difficulty)
                                : stage.key;
    const std::string name = character < std::size(kCharacterNames) ? kCharacterNames[character]
                                                                     : "character" + std::to_string(character);
    return "_" + key + "_" + name;
}

std::string NameTail(const Replay& replay) {
    return NameTail(replay.stage, replay.difficulty, replay.options[1] != 0, replay.character);
}

// Every tail the game gives a replay it records: the battles the game select offers.
bool MadeTail(std::string_view tail) {
    for (std::uint32_t stage = 0; stage < field::kStageCount; ++stage) {
        for (std::uint32_t difficulty = 0; difficulty < field::kDifficultyCount; ++difficulty) {
            for (const bool bigFurball : {false, true}) {
                for (std::uint32_t character = 0; character < std::size(kCharacterNames); ++character) {
                    if (tail == NameTail(stage, difficulty, bigFurball, character)) {
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

// When a replay the game named was recorded: its stamp "YYYYMMDD-HHMMSS-mmm", and the number
// FreshName put after it when the moment was taken (1 without one).
struct RecordedAt {
    std::string stamp;
    std::uint64_t number = 1;

    // Spelled out: the standard library of the web build's compiler has no <=> for strings yet.
    bool operator<(const RecordedAt& other) const {
        return std::tie(stamp, number) < std::tie(other.stamp, other.number);
    }
};

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The time in the name of a replay the game made; nothing for any other name.
std::optional<RecordedAt> ReadMadeName(std::string_view name) {
    constexpr std::size_t kStamp = 19;  // "20261206-213012-123"
    if (name.size() < kStamp || !name.ends_with(kReplayExtension)) {
        return std::nullopt;
    }
    const std::string_view stamp = name.substr(0, kStamp);
    if (!AllDigits(stamp.substr(0, 8)) || stamp[8] != '-' || !AllDigits(stamp.substr(9, 6)) || stamp[15] != '-' ||
        !AllDigits(stamp.substr(16, 3))) {
        return std::nullopt;
    }
    RecordedAt at{std::string(stamp)};
    std::string_view rest = name.substr(kStamp, name.size() - kStamp - kReplayExtension.size());
    if (rest.starts_with('-')) {
        const std::size_t end = rest.find('_');
        const std::string_view number = rest.substr(1, end == std::string_view::npos ? rest.size() : end - 1);
        // FreshName counts from 2, in a few digits.
        if (!AllDigits(number) || number.size() > 9 || number.front() == '0') {
            return std::nullopt;
        }
        at.number = std::stoull(std::string(number));
        if (at.number < 2) {
            return std::nullopt;
        }
        rest.remove_prefix(1 + number.size());
    }
    if (!MadeTail(rest)) {
        return std::nullopt;
    }
    return at;
}

}  // namespace

void ReplayRecorder::Begin(const SceneRequest& request, std::uint32_t loaderRandom, std::uint32_t battleRandom,
                           const InputSnapshot& before) {
    replay_ = Replay{};
    replay_.gameVersion = VELMORIA_VERSION;
    replay_.packs = PackFingerprint();
    replay_.stage = request.stage;
    replay_.difficulty = request.difficulty;
    replay_.character = request.character;
    std::copy(std::begin(request.options), std::end(request.options), replay_.options.begin());
    replay_.loaderRandom = loaderRandom;
    replay_.battleRandom = battleRandom;
    replay_.cursorX = before.x;
    replay_.cursorY = before.y;
    replay_.held = before.HeldNames();
    trace_ = InputTrace(before);
    recording_ = true;
}

void ReplayRecorder::Frame(const InputSnapshot& now) {
    ++replay_.frames;
    trace_.Add(replay_.frames, now);
}

Replay ReplayRecorder::Finish(const Replay::Result& result) {
    recording_ = false;
    replay_.result = result;
    replay_.input = trace_.Text();
    return replay_;
}

bool SaveReplay(const Replay& replay, std::filesystem::path& path, std::string& error) {
    std::filesystem::path folder;
    if (!player_files::MakeSubfolder(player_files::kReplays, folder, error)) {
        return false;
    }
    path = player_files::FreshName(folder, NameTail(replay), kReplayExtension);
    if (!player_files::WriteText(path, FormatReplay(replay))) {
        error = "cannot write replay '" + Utf8Of(path) + "'";
        return false;
    }
    KeepNewestReplays(folder, kKeptReplays);
    return true;
}

bool LoadReplay(const std::filesystem::path& path, Replay& replay, std::string& error) {
    std::string text;
    std::string why;
    if (!ReadTextFile(path, Replay::kMaxBytes, text, why)) {
        error = "cannot read replay '" + Utf8Of(path) + "': " + why;
        return false;
    }
    if (!ParseReplay(text, replay, error)) {
        error = Utf8Of(path) + ": " + error;
        return false;
    }
    return true;
}

bool ReplayFitsThisGame(const Replay& replay, std::string& error) {
    if (replay.gameVersion != VELMORIA_VERSION) {
        error = "was recorded by version " + QuotedExcerpt(replay.gameVersion) +
                " of the game; this is version " VELMORIA_VERSION;
        return false;
    }
    if (replay.packs != PackFingerprint()) {
        error = "was recorded with other packs than these; it cannot be played back here";
        return false;
    }
    return true;
}

void KeepNewestReplays(const std::filesystem::path& folder, std::size_t count) {
    std::vector<std::pair<RecordedAt, std::filesystem::path>> replays;
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(folder, failure)) {
        if (!entry.is_regular_file(failure)) {
            continue;
        }
        if (const std::optional<RecordedAt> at = ReadMadeName(Utf8Of(entry.path().filename()))) {
            replays.emplace_back(*at, entry.path());
        }
    }
    if (replays.size() <= count) {
        return;
    }
    std::sort(replays.begin(), replays.end());
    for (std::size_t i = 0; i + count < replays.size(); ++i) {
        std::filesystem::remove(replays[i].second, failure);
    }
}

ReplayPlayer::ReplayPlayer(const Replay& replay) : replay_(replay) {
    std::string prelude = "1 move " + std::to_string(replay.cursorX) + " " + std::to_string(replay.cursorY) + "\n";
    std::uint32_t step = 1;
    for (const std::string& name : replay.held) {
        const bool button = name == "left" || name == "right";
        prelude += std::to_string(step++) + (button ? " press " : " keydown ") + name + "\n";
    }
    preludeSteps_ = std::max<std::uint32_t>(1, step - 1);
    std::string ignored;
    // Both were checked when the replay was read.
    prelude_.Parse(prelude, ignored);
    input_.Parse(replay.input, ignored);
}

void ReplayPlayer::DeliverPrelude(std::uint32_t step) const {
    bool closeRequested = false;
    prelude_.Deliver(step, closeRequested);
}

void ReplayPlayer::Deliver(std::uint32_t frame) const {
    bool closeRequested = false;
    input_.Deliver(frame, closeRequested);
}
