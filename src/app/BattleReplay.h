#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/InputTrace.h"
#include "app/ReplayFile.h"
#include "app/SceneSwitcher.h"
#include "input/InputScript.h"

// The replays folder keeps this many, the newest.
constexpr std::size_t kKeptReplays = 100;

// Records the battle that runs: begun in its first frame, given the input of every frame it
// runs, finished when it is left.
class ReplayRecorder {
public:
    // before is the input of the frame before the battle's first: what was already held then.
    void Begin(const SceneRequest& request, std::uint32_t loaderRandom, std::uint32_t battleRandom,
               const InputSnapshot& before);
    void Frame(const InputSnapshot& now);
    bool Recording() const { return recording_; }
    // The whole replay; recording stops.
    Replay Finish(const Replay::Result& result);

private:
    Replay replay_;
    InputTrace trace_;
    bool recording_ = false;
};

// Writes the replay into the player's replays folder, named by the date, the stage's key (with
// its difficulty) and the character, and keeps only the newest kKeptReplays there. The path
// written, or false with the reason.
bool SaveReplay(const Replay& replay, std::filesystem::path& path, std::string& error);

// Reads a replay file of at most Replay::kMaxBytes; false with the reason (naming the file).
bool LoadReplay(const std::filesystem::path& path, Replay& replay, std::string& error);

// A replay plays back only on the game and packs it was recorded with: on any other it could
// show a different battle as the recorded one. False with the reason, which follows the file's
// name ("... was recorded by version '0.0.9' of the game; ...").
bool ReplayFitsThisGame(const Replay& replay, std::string& error);

// Deletes the oldest replays of the folder beyond the count, oldest first by the time in their
// names. Only the files the game named as it recorded them count and may go
// ("YYYYMMDD-HHMMSS-mmm[-N]_<stage key>_<character>.replay"): whatever else the player keeps there,
// a replay renamed or brought from elsewhere included, is never touched.
void KeepNewestReplays(const std::filesystem::path& folder, std::size_t count);

// Plays a replay's input into the input devices, through the same path as any input.
class ReplayPlayer {
public:
    explicit ReplayPlayer(const Replay& replay);

    const Replay& Recorded() const { return replay_; }
    // What was held before the battle's first frame, given a step at a time (a device takes
    // eight records between two reads): steps 1 .. PreludeSteps().
    std::uint32_t PreludeSteps() const { return preludeSteps_; }
    void DeliverPrelude(std::uint32_t step) const;
    // The input of one battle frame (from 1).
    void Deliver(std::uint32_t frame) const;

private:
    Replay replay_;
    input::InputScript prelude_;
    input::InputScript input_;
    std::uint32_t preludeSteps_ = 1;
};
