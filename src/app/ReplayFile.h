#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/InputScript.h"

// A recorded battle: what it was built from, the random states it drew from, and the input it
// saw, frame by frame. Written as text (see README.md, "Replays"):
//
//   velmoria replay 1
//   game 0.1.0
//   packs 0123456789abcdef     fingerprint of the packs it was played on
//   request 0 1 0 0 0 0 0 0 0 0   stage, difficulty, character, the seven option bytes
//   random 1 2718281828        loader thread's state at construction, main thread's at frame 1
//   cursor 320 240             the cursor before frame 1
//   held LShift left           keys and buttons already down before frame 1 (may be empty)
//   frames 5234                battle frames recorded
//   result 1850 15 12          score, lives and wave when it was left
//   input                      an input script follows, battle frames from 1
//   1 move 320 240
//   ...
//   checksum 1a2b3c4d          FNV-1a of every byte before this line
struct Replay {
    static constexpr int kFormat = 1;
    // The longest battle a replay holds: a day of play at 60 frames a second. A header that
    // claims more is refused; played back, it would keep the game running for days.
    static constexpr std::uint32_t kMaxFrames = 24 * 60 * 60 * 60;
    // The largest replay file read: its input, an input script, and a header.
    static constexpr std::size_t kMaxBytes = input::InputScript::kMaxBytes + (std::size_t{1} << 20);

    struct Result {
        int score = 0;
        int lives = 0;
        int wave = 0;
        bool operator==(const Result&) const = default;
    };

    std::string gameVersion;
    std::uint64_t packs = 0;
    std::uint32_t stage = 0;
    std::uint32_t difficulty = 0;
    std::uint32_t character = 0;
    std::array<std::uint8_t, 7> options{};
    std::uint32_t loaderRandom = 1;
    std::uint32_t battleRandom = 0;
    int cursorX = 0;
    int cursorY = 0;
    std::vector<std::string> held;  // key names as in input scripts, "left", "right"
    std::uint32_t frames = 0;
    Result result;
    std::string input;  // input-script text, checked when read

    bool operator==(const Replay&) const = default;
};

// Reads a replay; false with a one-line reason when the text is damaged in any way (a missing
// or unknown line, a bad number, a request no game select can make, more than kMaxFrames
// frames, an input line an input script would refuse, a wrong checksum). A refused text leaves
// the replay as it was. Lines may end in CR LF, as a replay copied through Windows comes back:
// the game writes LF alone, so the checksum is checked on the text with LF ends, which is then
// byte for byte the text that was written.
bool ParseReplay(std::string_view text, Replay& replay, std::string& error);
std::string FormatReplay(const Replay& replay);

// FNV-1a, 32 bits: the replay's checksum.
std::uint32_t ReplayChecksum(std::string_view text);
