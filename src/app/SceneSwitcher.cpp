#include "app/SceneSwitcher.h"

#include <chrono>
#include <cstring>

#include "base/Language.h"
SceneSwitcher::SceneSwitcher(gfx::Device* device, Hooks hooks, bool synchronousLoaders, int loaderGraceMs)
    : device_(device), hooks_(std::move(hooks)), synchronous_(synchronousLoaders), graceMs_(loaderGraceMs) {}

SceneSwitcher::~SceneSwitcher() { Shutdown(); }

void SceneSwitcher::Step(SceneContext& context) {
    RunPendingLoader();
    CheckRestart(context);
    Prepare(context);
    DrawDue(context);
    // While a loader works the loading scene covers for the scene being built or released;
    // for codes 2 and 3 it is then the only frame drawn.
    if (Loading() && context.transitionMode == TransitionMode::Leaving) {
        Draw(nowLoading_.get(), context);
    }
}

void SceneSwitcher::CheckRestart(SceneContext& context) {
    if (context.restart != 0 && !Loading() && game_.load() != nullptr) {
        context.restart = 0;
        StartLoader(Job::Release, SceneCode::Game);
    }
}

void SceneSwitcher::Prepare(SceneContext& context) {
    if (Loading()) {
        return;
    }
    switch (context.sceneCode) {
    case SceneCode::Title:
        if (title_.load() == nullptr) {
            StartLoader(Job::Build, SceneCode::Title);
        }
        if (!Loading() && game_.load() != nullptr) {
            StartLoader(Job::Release, SceneCode::Game);
        }
        if (!Loading() && title_.load() != nullptr && startUp_.load() != nullptr) {
            StartLoader(Job::Release, SceneCode::StartUp);
        }
        break;
    case SceneCode::Game:
        if (game_.load() == nullptr) {
            request_.character = context.character;
            request_.difficulty = context.difficulty;
            request_.stage = context.stage;
            std::memcpy(request_.options, context.options, sizeof request_.options);
            StartLoader(Job::Build, SceneCode::Game);
        } else if (startUp_.load() != nullptr) {
            StartLoader(Job::Release, SceneCode::StartUp);
        } else if (title_.load() != nullptr) {
            StartLoader(Job::Release, SceneCode::Title);
        }
        break;
    default:
        break;
    }
}

void SceneSwitcher::DrawDue(SceneContext& context) {
    switch (context.sceneCode) {
    case SceneCode::None:
        if (hooks_.showMessage) {
            hooks_.showMessage(N_MESSAGE("EMPTYシーンです"));
        }
        break;
    case SceneCode::StartUp: {
        Scene* title = title_.load();
        if (title != nullptr && title->Ready()) {
            context.transitionMode = TransitionMode::Running;
        }
        // The start-up scene keeps running while the title is built behind it.
        Draw(startUp_.load(), context);
        if (!Loading() && title_.load() == nullptr && context.sceneCode == SceneCode::Title) {
            context.sceneCode = SceneCode::StartUp;
            StartLoader(Job::Build, SceneCode::Title);
        }
        break;
    }
    case SceneCode::Title:
        if (!Loading() && title_.load() != nullptr) {
            Draw(title_.load(), context);
        }
        break;
    case SceneCode::Game:
        if (!Loading() && game_.load() != nullptr) {
            Draw(game_.load(), context);
        }
        break;
    default:
        break;
    }
}

void SceneSwitcher::Draw(Scene* scene, SceneContext& context) {
    if (scene != nullptr && hooks_.drawFrame) {
        hooks_.drawFrame(scene, context);
    }
}

void SceneSwitcher::StartLoader(Job job, SceneCode target) {
    if (loader_.joinable()) {
        loader_.join();
    }
    loading_.store(1);
    request_.target = target;
    if (synchronous_) {
        pending_ = true;
        pendingJob_ = job;
        return;
    }
    const SceneRequest request = request_;
    if (job == Job::Build) {
        loader_ = std::thread(&SceneSwitcher::BuildScene, this, request);
    } else {
        loader_ = std::thread(&SceneSwitcher::ReleaseScene, this, request);
    }
}

void SceneSwitcher::RunPendingLoader() {
    if (!pending_) {
        return;
    }
    pending_ = false;
    // Still a thread of its own, so the loader's random numbers follow the same rules as in a
    // windowed run; it simply finishes before the frame goes on.
    const SceneRequest request = request_;
    std::thread loader(pendingJob_ == Job::Build ? &SceneSwitcher::BuildScene : &SceneSwitcher::ReleaseScene,
                       this, request);
    loader.join();
}

std::atomic<Scene*>* SceneSwitcher::SlotFor(SceneCode target) {
    switch (target) {
    case SceneCode::StartUp: return &startUp_;
    case SceneCode::Title: return &title_;
    case SceneCode::Game: return &game_;
    default: return nullptr;
    }
}

void SceneSwitcher::BuildScene(SceneRequest request) {
    loading_.store(1);
    std::unique_ptr<Scene> scene;
    if (request.target == SceneCode::Title && title_.load() == nullptr && hooks_.makeTitle) {
        scene = hooks_.makeTitle();
    } else if (request.target == SceneCode::Game && game_.load() == nullptr && hooks_.makeGame) {
        scene = hooks_.makeGame(request);
    }
    if (scene != nullptr) {
        Scene* built = scene.release();
        SlotFor(request.target)->store(built);
        built->Init(device_);
    }
    // Keeps the loading screen up long enough to be seen.
    if (graceMs_ > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(graceMs_));
    }
    loading_.store(0);
}

void SceneSwitcher::ReleaseScene(SceneRequest request) {
    loading_.store(1);
    if (std::atomic<Scene*>* slot = SlotFor(request.target)) {
        delete slot->exchange(nullptr);
    }
    loading_.store(0);
}

void SceneSwitcher::Shutdown() {
    if (loader_.joinable()) {
        loader_.join();
    }
    pending_ = false;
    loading_.store(0);
    delete startUp_.exchange(nullptr);
    nowLoading_.reset();
    delete title_.exchange(nullptr);
    delete game_.exchange(nullptr);
}
