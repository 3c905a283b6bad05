// libFuzzer target: any bytes as a replay (--replay). The checksum turns away almost every
// changed byte, so each input is read twice: as it is, and sealed with the checksum its text
// before the last "checksum " line would have (what a hand-edited file that was sealed again
// looks like). A refused replay gives a one-line reason and leaves the replay as it was; an
// accepted one asks for a battle the game select can ask for, holds at least one frame, input an
// input script reads and held keys and buttons the prelude can press, and written back reads
// to the same replay, byte for byte the same file once more.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/ReplayFile.h"
#include "field/StageTable.h"
#include "input/InputScript.h"
#include "scene/title/GameSelect.h"

namespace {

Replay Sample() {
    Replay replay;
    replay.gameVersion = "before";
    replay.stage = 1;
    replay.held = {"left"};
    replay.frames = 7;
    replay.input = "1 key N\n";
    return replay;
}

std::string Sealed(std::string_view text) {
    const std::size_t at = text.rfind("checksum ");
    std::string body(text.substr(0, at == std::string_view::npos ? text.size() : at));
    if (!body.empty() && body.back() != '\n') {
        body += '\n';
    }
    char checksum[9];
    std::snprintf(checksum, sizeof checksum, "%08x", ReplayChecksum(body));
    return body + "checksum " + checksum + "\n";
}

bool WithinLimits(const Replay& replay) {
    if (replay.stage >= static_cast<std::uint32_t>(field::kStageCount) ||
        replay.difficulty >= static_cast<std::uint32_t>(field::kDifficultyCount) ||
        replay.character >= static_cast<std::uint32_t>(GameSelect::kCharacters) || replay.frames == 0) {
        return false;
    }
    for (const std::uint8_t option : replay.options) {
        if (option > 1) {
            return false;
        }
    }
    // What the player replays with: the recorded input, and the prelude that presses what was
    // held before the first frame.
    std::string prelude = "1 move " + std::to_string(replay.cursorX) + " " + std::to_string(replay.cursorY) + "\n";
    for (const std::string& name : replay.held) {
        prelude += (name == "left" || name == "right" ? "1 press " : "1 keydown ") + name + "\n";
    }
    input::InputScript script;
    std::string error;
    return script.Parse(replay.input, error) && script.Parse(prelude, error) &&
           script.EventCount() == 1 + replay.held.size();
}

void Check(std::string_view text) {
    const Replay before = Sample();
    Replay replay = before;
    std::string error;
    if (!ParseReplay(text, replay, error)) {
        if (error.empty() || error.find_first_of("\n\r") != std::string::npos || !(replay == before)) {
            std::abort();
        }
        return;
    }
    if (!WithinLimits(replay)) {
        std::abort();
    }
    const std::string written = FormatReplay(replay);
    Replay again;
    if (!ParseReplay(written, again, error) || !(again == replay) || FormatReplay(again) != written) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(text);
    Check(Sealed(text));
    return 0;
}
