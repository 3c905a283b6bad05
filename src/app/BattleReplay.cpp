#include "app/BattleReplay.h"

#include <algorithm>
#include <vector>

#include "app/PackFingerprint.h"
#include "app/PlayerFolder.h"
#include "field/StageTable.h"

namespace {

constexpr std::string_view kReplayExtension = ".replay";

// "_rouka_normal_ardel": the stage key carries the difficulty.
std::string NameTail(const Replay& replay) {
    const field::StageInfo stage = field::LookUpStage(static_cast<int>(replay.stage),
                                                      static_cast<int>(replay.difficulty), replay.options[1] != 0);
    const std::string key = stage.key.empty() ? "stage" + std::to_string(replay.stage) + "_difficulty" +
                                                    std::to_string(replay.difficulty)
                                              : stage.key;
    const char* const characters[] = {"ardel", "sovia"};
    const std::string character =
        replay.character < 2 ? characters[replay.character] : "character" + std::to_string(replay.character);
    return "_" + key + "_" + character;
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
        error = "cannot write replay '" + path.string() + "'";
        return false;
    }
    KeepNewestReplays(folder, kKeptReplays);
    return true;
}

bool LoadReplay(const std::filesystem::path& path, Replay& replay, std::string& error) {
    std::string text;
    if (!player_files::ReadText(path, text)) {
        error = "cannot read replay '" + path.string() + "'";
        return false;
    }
    if (!ParseReplay(text, replay, error)) {
        error = path.string() + ": " + error;
        return false;
    }
    return true;
}

bool ReplayFitsThisGame(const Replay& replay, std::string& error) {
    if (replay.gameVersion != VELMORIA_VERSION) {
        error = "was recorded by version " + replay.gameVersion + " of the game; this is version " VELMORIA_VERSION;
        return false;
    }
    if (replay.packs != PackFingerprint()) {
        error = "was recorded with other packs than these; it cannot be played back here";
        return false;
    }
    return true;
}

void KeepNewestReplays(const std::filesystem::path& folder, std::size_t count) {
    std::vector<std::filesystem::path> replays;
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(folder, failure)) {
        if (entry.is_regular_file(failure) && entry.path().extension() == kReplayExtension) {
            replays.push_back(entry.path());
        }
    }
    if (replays.size() <= count) {
        return;
    }
    std::sort(replays.begin(), replays.end());
    for (std::size_t i = 0; i + count < replays.size(); ++i) {
        std::filesystem::remove(replays[i], failure);
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
