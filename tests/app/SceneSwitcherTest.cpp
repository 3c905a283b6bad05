#include "app/SceneSwitcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Scenes that record what happens to them and, when told, ask for another scene.
struct Journal {
    std::vector<std::string> lines;
    void Add(const std::string& line) { lines.push_back(line); }
    std::string Last() const { return lines.empty() ? "" : lines.back(); }
};

class FakeScene : public Scene {
public:
    FakeScene(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {
        journal_.Add("new " + name_);
    }
    ~FakeScene() override { journal_.Add("delete " + name_); }
    bool Init(gfx::Device*) override {
        journal_.Add("init " + name_);
        ready_ = true;
        return true;
    }
    void Frame(gfx::Device*, SceneContext& context) override {
        journal_.Add("frame " + name_);
        if (onFrame) {
            onFrame(context);
        }
    }
    void Notify(std::intptr_t) override {}
    bool Ready() const override { return ready_; }

    std::function<void(SceneContext&)> onFrame;

private:
    std::string name_;
    Journal& journal_;
    bool ready_ = false;
};

class SceneSwitcherTest : public ::testing::Test {
protected:
    void Make() {
        SceneSwitcher::Hooks hooks;
        hooks.makeTitle = [this] {
            ++titleBuilds;
            return std::make_unique<FakeScene>("title", journal);
        };
        hooks.makeGame = [this](const SceneRequest& request) {
            ++gameBuilds;
            lastRequest = request;
            return std::make_unique<FakeScene>("game", journal);
        };
        hooks.drawFrame = [this](Scene* scene, SceneContext& context) {
            drawn.push_back(scene);
            scene->Frame(nullptr, context);
        };
        hooks.showMessage = [this](const char* text) { messages.push_back(text); };
        switcher = std::make_unique<SceneSwitcher>(nullptr, std::move(hooks), true, 0);
        auto startUp = std::make_unique<FakeScene>("startup", journal);
        startUpScene = startUp.get();
        switcher->SetStartUpScene(std::move(startUp));
        auto loading = std::make_unique<FakeScene>("loading", journal);
        loadingScene = loading.get();
        switcher->SetNowLoadingScene(std::move(loading));
    }

    // Runs frames until the slot's scene is drawn alone with no loader left, at most 20.
    void Settle(Scene* (SceneSwitcher::*slot)() const) {
        for (int i = 0; i < 20; ++i) {
            drawn.clear();
            switcher->Step(context);
            Scene* scene = (switcher.get()->*slot)();
            if (scene != nullptr && !switcher->Loading() && drawn.size() == 1 && drawn[0] == scene) {
                return;
            }
        }
        FAIL() << "never settled";
    }

    // Start-up asks for the title; the title is built and the start-up scene released.
    void ReachTitle() {
        startUpScene->onFrame = [](SceneContext& c) { c.sceneCode = SceneCode::Title; };
        for (int i = 0; i < 10 && switcher->TitleScene() == nullptr; ++i) {
            switcher->Step(context);
        }
        ASSERT_NE(switcher->TitleScene(), nullptr);
        Settle(&SceneSwitcher::TitleScene);
    }

    Journal journal;
    SceneContext context;
    std::unique_ptr<SceneSwitcher> switcher;
    FakeScene* startUpScene = nullptr;
    FakeScene* loadingScene = nullptr;
    std::vector<Scene*> drawn;
    std::vector<std::string> messages;
    int titleBuilds = 0;
    int gameBuilds = 0;
    SceneRequest lastRequest;
};

TEST_F(SceneSwitcherTest, StartUpKeepsDrawingWhileTheTitleIsBuiltThenHandsOver) {
    Make();
    switcher->Step(context);
    EXPECT_EQ(journal.Last(), "frame startup");

    // The start-up scene asks for the title: the code goes back to 1 and the build starts.
    startUpScene->onFrame = [](SceneContext& c) { c.sceneCode = SceneCode::Title; };
    switcher->Step(context);
    EXPECT_EQ(context.sceneCode, SceneCode::StartUp);
    EXPECT_TRUE(switcher->Loading());
    startUpScene->onFrame = nullptr;

    // Next frame: the title is built, and the start-up scene is still the one drawn.
    drawn.clear();
    switcher->Step(context);
    ASSERT_NE(switcher->TitleScene(), nullptr);
    EXPECT_EQ(drawn, std::vector<Scene*>{startUpScene});
    EXPECT_EQ(context.transitionMode, TransitionMode::Running);

    // The start-up scene finishes its fade and asks again: now it is released, the title runs.
    startUpScene->onFrame = [](SceneContext& c) { c.sceneCode = SceneCode::Title; };
    Settle(&SceneSwitcher::TitleScene);
    EXPECT_EQ(switcher->StartUpScene(), nullptr);
    EXPECT_EQ(titleBuilds, 1);
    // The loading scene was never shown: transition mode stayed 1.
    for (const std::string& line : journal.lines) {
        EXPECT_NE(line, "frame loading");
    }
}

TEST_F(SceneSwitcherTest, TitleToGameAndBackShowsTheLoadingSceneBothWays) {
    Make();
    ReachTitle();

    context.character = 1;
    context.difficulty = 3;
    context.stage = 2;
    context.options[5] = 1;
    context.sceneCode = SceneCode::Game;
    context.transitionMode = TransitionMode::Leaving;
    drawn.clear();
    switcher->Step(context);
    EXPECT_EQ(drawn, std::vector<Scene*>{loadingScene});
    Settle(&SceneSwitcher::GameScene);
    EXPECT_EQ(switcher->TitleScene(), nullptr);
    EXPECT_EQ(lastRequest.character, 1u);
    EXPECT_EQ(lastRequest.difficulty, 3u);
    EXPECT_EQ(lastRequest.stage, 2u);
    EXPECT_EQ(lastRequest.options[5], 1);

    context.sceneCode = SceneCode::Title;
    drawn.clear();
    switcher->Step(context);
    EXPECT_EQ(drawn, std::vector<Scene*>{loadingScene});
    Settle(&SceneSwitcher::TitleScene);
    EXPECT_EQ(switcher->GameScene(), nullptr);
    EXPECT_EQ(titleBuilds, 2);
}

TEST_F(SceneSwitcherTest, LoadingSceneOnlyInTransitionModeThree) {
    Make();
    ReachTitle();
    context.sceneCode = SceneCode::Game;
    context.transitionMode = TransitionMode::Running;
    drawn.clear();
    switcher->Step(context);
    EXPECT_TRUE(switcher->Loading());
    EXPECT_TRUE(drawn.empty());  // nothing drawn: the last picture stays
}

TEST_F(SceneSwitcherTest, RetryRebuildsTheGameFromTheSameRequest) {
    Make();
    ReachTitle();
    context.sceneCode = SceneCode::Game;
    context.transitionMode = TransitionMode::Leaving;
    context.stage = 1;
    context.options[2] = 1;
    Settle(&SceneSwitcher::GameScene);
    ASSERT_EQ(gameBuilds, 1);

    context.restart = 1;
    switcher->Step(context);
    EXPECT_EQ(context.restart, 0);
    EXPECT_EQ(context.sceneCode, SceneCode::Game);
    for (int i = 0; i < 5; ++i) {
        switcher->Step(context);
    }
    EXPECT_EQ(gameBuilds, 2);
    EXPECT_NE(switcher->GameScene(), nullptr);
    EXPECT_EQ(lastRequest.stage, 1u);
    EXPECT_EQ(lastRequest.options[2], 1);
}

TEST_F(SceneSwitcherTest, SettingTheCurrentCodeAgainCausesNoRebuild) {
    Make();
    ReachTitle();
    Scene* title = switcher->TitleScene();
    static_cast<FakeScene*>(title)->onFrame = [](SceneContext& c) { c.sceneCode = SceneCode::Title; };
    for (int i = 0; i < 10; ++i) {
        switcher->Step(context);
        EXPECT_FALSE(switcher->Loading());
    }
    EXPECT_EQ(switcher->TitleScene(), title);
    EXPECT_EQ(titleBuilds, 1);
}

TEST_F(SceneSwitcherTest, CodeZeroShowsTheEmptySceneMessageEveryFrame) {
    Make();
    context.sceneCode = SceneCode::None;
    switcher->Step(context);
    switcher->Step(context);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "EMPTYシーンです");
}

TEST_F(SceneSwitcherTest, ShutdownDeletesScenesInTheGameOrder) {
    Make();
    ReachTitle();
    journal.lines.clear();
    switcher->Shutdown();
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"delete loading", "delete title"}));
}

TEST(SceneSwitcherThreads, AThreadedLoaderBuildsAndInitialisesOffTheMainThread) {
    Journal journal;
    std::thread::id loaderThread;
    SceneSwitcher::Hooks hooks;
    hooks.makeTitle = [&] {
        loaderThread = std::this_thread::get_id();
        return std::make_unique<FakeScene>("title", journal);
    };
    hooks.drawFrame = [](Scene* scene, SceneContext& context) { scene->Frame(nullptr, context); };
    SceneSwitcher switcher(nullptr, std::move(hooks), false, 0);
    SceneContext context;
    context.sceneCode = SceneCode::Title;
    for (int i = 0; i < 1000 && (switcher.TitleScene() == nullptr || switcher.Loading()); ++i) {
        switcher.Step(context);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_NE(switcher.TitleScene(), nullptr);
    EXPECT_TRUE(switcher.TitleScene()->Ready());
    EXPECT_NE(loaderThread, std::this_thread::get_id());
}

}  // namespace
