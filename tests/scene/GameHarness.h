#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include "audio/DirectSound.h"
#include "base/Random.h"
#include "base/SceneContext.h"
#include "gfx/NullDevice.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FileClass.h"
#include "resource/PackNames.h"
#include "resource/WaveData.h"
#include "scene/game/GameMain.h"
#include "support/GameFiles.h"
#include "support/TempDir.h"

// Runs a battle in this process on the generated packs, frame by frame, with input made up by the
// test: the scene as the switcher would run it, without the window. Battles that only need to be
// played run on a device that draws nothing; ones that are looked at draw on the software device.
// The random numbers start from the same seed in every harness, so where the enemies of a wave
// stand does not depend on the tests that ran before in the process.
class GameHarness {
public:
    enum class Drawing { None, Software };
    static constexpr std::uint32_t kSeed = 20240601;

    explicit GameHarness(Drawing drawing = Drawing::None) {
        Random::Seed(kSeed);
        for (const char* name : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
            ShareGameFile(name, dir_.Path());
        }
        if (drawing == Drawing::Software) {
            software_ = std::make_unique<gfx::SoftwareDevice>(nullptr);
            device_ = software_.get();
        } else {
            device_ = &null_;
        }
        InitDirectSound(SoundOutput::Null);
        g_FileClass.LoadTexturePack(pack::kGraphicsPack, device_);
        g_FileClass.LoadSoundPack(pack::kEffectPack);
    }

    // Replaces the game's wave data with the test's own stages (keys such as "rouka_easy"), so a
    // test knows every wave's enemies, rewards and the starting points. Call before Open.
    void UseWaves(const std::vector<waves::Stage>& stages) {
        std::vector<std::uint8_t> bytes;
        std::string error;
        const std::filesystem::path path = dir_.Path() / pack::kWaveDataPack;
        std::filesystem::remove(path);
        ASSERT_TRUE(waves::BuildWaveData(stages, kWaveKey, bytes, error)) << error;
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(file.good()) << path;
    }

    // A fresh battle, built and initialised as the loader does it.
    GameMain& Open(const field::StageRequest& request) {
        game_ = std::make_unique<GameMain>(request);
        game_->Init(device_);
        context_ = SceneContext{};
        context_.sceneCode = SceneCode::Game;
        return *game_;
    }
    // Ends the battle as the switcher's release does (its destructor saves).
    void Close() { game_.reset(); }

    void Frame() {
        game_->Frame(device_, context_);
        context_.ReleaseAll();
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            Frame();
        }
    }
    // Runs until the condition holds, at most `limit` frames; false if it never did.
    bool RunUntil(const std::function<bool()>& done, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return true;
            }
            Frame();
        }
        return done();
    }

    void MoveTo(int x, int y) { context_.SetMouse(x, y); }
    // Hovers there for a frame, then presses (and next frame releases) the button.
    void Click(int x, int y, bool right = false) {
        MoveTo(x, y);
        Frame();
        context_.SetButtons(right ? 0 : 1, right ? 1 : 0);
        Frame();
    }
    void PressKey(int key) {
        context_.SetKey(key, 1);
        Frame();
    }
    // Chooses the catalogue entry by its key (1..9, 0 for the tenth) and clicks the plot.
    void Place(int kind, int x, int y) {
        PressKey(kind == 10 ? kKey0 : kKey1 + kind - 1);
        Click(x, y);
    }

    GameMain& Game() { return *game_; }
    SceneContext& Context() { return context_; }
    gfx::Device* Device() { return device_; }
    gfx::SoftwareDevice* Software() { return software_.get(); }
    const std::filesystem::path& Folder() const { return dir_.Path(); }

private:
    static constexpr std::uint32_t kWaveKey = 0x5EED1234u;

    ScopedTempDir dir_;
    gfx::NullDevice null_;
    std::unique_ptr<gfx::SoftwareDevice> software_;
    gfx::Device* device_ = nullptr;
    std::unique_ptr<GameMain> game_;
    SceneContext context_;
};
