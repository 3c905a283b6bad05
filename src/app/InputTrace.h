#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/SceneContext.h"

// The input a scene sees in one frame, as far as the frames after it can tell: the cursor and
// which watched keys and buttons are down. The pressed-this-frame edges follow from two of them.
struct InputSnapshot {
    std::array<bool, kWatchedKeyCount> keys{};
    bool left = false;
    bool right = false;
    int x = 0;
    int y = 0;

    static InputSnapshot Of(const SceneContext& context);
    // The names of what is down, as input scripts name them ("N", "LShift", "left", ...).
    std::vector<std::string> HeldNames() const;
    bool operator==(const InputSnapshot&) const = default;
};

// Writes what scenes see as an input script: for each frame, the changes since the frame before
// ("move", "keydown"/"keyup", "press"/"release"). Played back, the script gives the scenes the
// same input frame by frame.
class InputTrace {
public:
    explicit InputTrace(const InputSnapshot& before = {}) : last_(before) {}

    void Add(std::uint32_t frame, const InputSnapshot& now);
    const std::string& Text() const { return text_; }
    const InputSnapshot& Last() const { return last_; }

private:
    InputSnapshot last_;
    std::string text_;
};
