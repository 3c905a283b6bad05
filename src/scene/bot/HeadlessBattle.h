#pragma once
#include <cstdint>
#include <memory>
#include <ostream>

#include "base/SceneContext.h"
#include "field/StageSetup.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"

class GameMain;

namespace gfx {
class Device;
}

namespace bot {

struct BattleOutcome {
    bool cleared = false;
    bool finished = false;  // cleared or lost within the frame limit
    int wave = 0;          // on the gauge's mark, from 1 (0 in preparation)
    int waveCount = 0;     // the stage's
    int wavesStarted = 0;  // as the battle counts them (a replay's header records this)
    int lives = 0;
    int points = 0;
    int score = 0;  // what a cleared stage records: lives x 50 + bonus + items
    int frames = 0;
    bool operator==(const BattleOutcome&) const = default;
};

// Sees the input of a battle the autoplayer plays, as a recorder of replays needs it.
class InputWatcher {
public:
    virtual ~InputWatcher() = default;
    // Before the first frame: the random states the battle was built from and its first frame
    // draws from, and the input before it.
    virtual void Started(std::uint32_t loaderRandom, std::uint32_t battleRandom, const SceneContext& before) = 0;
    // The input of each frame, before it runs.
    virtual void Frame(const SceneContext& input) = 0;
};

// A battle run headless as fast as the machine runs, on the device the packs were loaded for (one
// that draws nothing, normally), frame by frame as the game runs it: built with the random
// numbers its loader had, its input read from the system mouse and keyboard before every frame
// through the same path as a player's. The wave data must be readable from the working directory.
class HeadlessBattle {
public:
    // Builds and initialises the battle with the random numbers from loaderRandom on, and reads
    // the devices once: what they hold then is the input before the first frame. The watcher,
    // when there is one, sees that input and every frame's.
    HeadlessBattle(gfx::Device* device, const field::StageRequest& request, std::uint32_t loaderRandom,
                   InputWatcher* watcher = nullptr);
    ~HeadlessBattle();
    HeadlessBattle(const HeadlessBattle&) = delete;
    HeadlessBattle& operator=(const HeadlessBattle&) = delete;

    const GameMain& Game() const { return *game_; }
    // The input of the last read: what the frame run last saw, or will see.
    const SceneContext& Input() const { return context_; }
    bool Over() const;
    // Takes what was delivered to the devices since the last read.
    void ReadInput();
    // Reads the devices and runs one frame with what they hold.
    void Frame();
    BattleOutcome Outcome() const;

private:
    gfx::Device* device_;
    std::unique_ptr<GameMain> game_;
    InputWatcher* watcher_;
    SceneContext context_;
    MouseInput mouse_;
    KeyboardInput keyboard_;
    int frames_ = 0;
};

// Plays one battle to its end with the strategy, built with the random numbers of this thread
// from where they stand.
// Progress, one line a wave, goes to the stream when there is one.
BattleOutcome PlayBattle(gfx::Device* device, const field::StageRequest& request, const char* strategy,
                         std::ostream* progress, int frameLimit, InputWatcher* watcher = nullptr);

}  // namespace bot
