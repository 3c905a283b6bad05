#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "base/SceneContext.h"
#include "resource/SaveFile.h"
#include "scene/Scene.h"

// What a loader thread is asked to build or release.
struct SceneRequest {
    SceneCode target = SceneCode::None;
    std::uint32_t stage = 0;
    std::uint32_t difficulty = 0;
    std::uint32_t character = 0;
    std::uint8_t options[7] = {};
    CSaveFile::Access saves = CSaveFile::Access::ReadWrite;  // read-only for a replay's battle
};

// Keeps the scene slots and switches between them by the scene code that scenes write into the
// context. Scenes are built, initialised and deleted on a loader thread (at most one at a time)
// while the main thread keeps drawing the start-up scene, the loading scene or nothing.
class SceneSwitcher {
public:
    struct Hooks {
        // Construct the title or game scene (on the loader thread).
        std::function<std::unique_ptr<Scene>()> makeTitle;
        std::function<std::unique_ptr<Scene>(const SceneRequest&)> makeGame;
        // Run one device frame for a scene (main thread).
        std::function<void(Scene*, SceneContext&)> drawFrame;
        // Shown for scene code 0.
        std::function<void(const char*)> showMessage;
    };

    // With synchronous loaders (headless runs) a loader started in one frame runs to completion
    // at the start of the next, so runs are repeatable; otherwise it runs alongside the frames.
    SceneSwitcher(gfx::Device* device, Hooks hooks, bool synchronousLoaders, int loaderGraceMs);
    ~SceneSwitcher();

    SceneSwitcher(const SceneSwitcher&) = delete;
    SceneSwitcher& operator=(const SceneSwitcher&) = delete;

    // The two scenes the main thread creates itself at start-up.
    void SetStartUpScene(std::unique_ptr<Scene> scene) { startUp_.store(scene.release()); }
    void SetNowLoadingScene(std::unique_ptr<Scene> scene) { nowLoading_ = std::move(scene); }

    // One switcher pass per frame, after input.
    void Step(SceneContext& context);

    // Waits for a running loader, then deletes the scenes in the order start-up, loading,
    // title, game.
    void Shutdown();

    bool Loading() const { return loading_.load() != 0; }
    Scene* StartUpScene() const { return startUp_.load(); }
    Scene* TitleScene() const { return title_.load(); }
    Scene* GameScene() const { return game_.load(); }

private:
    enum class Job { Build, Release };

    void CheckRestart(SceneContext& context);
    void Prepare(SceneContext& context);
    void DrawDue(SceneContext& context);
    void Draw(Scene* scene, SceneContext& context);

    void StartLoader(Job job, SceneCode target);
    void RunPendingLoader();
    void BuildScene(SceneRequest request);
    void ReleaseScene(SceneRequest request);
    std::atomic<Scene*>* SlotFor(SceneCode target);

    gfx::Device* device_;
    Hooks hooks_;
    bool synchronous_;
    int graceMs_;

    std::atomic<Scene*> startUp_{nullptr};
    std::atomic<Scene*> title_{nullptr};
    std::atomic<Scene*> game_{nullptr};
    std::unique_ptr<Scene> nowLoading_;

    // The one guard against a second loader: set by the main thread before a loader starts,
    // cleared by the loader as its last action.
    std::atomic<std::uint8_t> loading_{0};
    SceneRequest request_;
    std::thread loader_;
    bool pending_ = false;
    Job pendingJob_ = Job::Build;
};
