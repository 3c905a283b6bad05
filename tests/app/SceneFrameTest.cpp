#include "app/SceneFrame.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "base/SceneContext.h"
#include "gfx/Direct3D.h"
#include "gfx/NullDevice.h"
#include "gfx/SoftwareDevice.h"
#include "scene/Scene.h"
#include "support/TempDir.h"

namespace {

const std::string kResetFailed = "デバイスのリセットに失敗しました\n";

// A device that answers from a script and writes down the frame calls it gets.
class ScriptedDevice final : public gfx::NullDevice {
public:
    HRESULT Clear(std::uint32_t colour, float z, std::uint32_t stencil) override {
        calls.push_back(colour == 0xFF000000u && z == 1.0f && stencil == 0 ? "clear" : "clear?");
        return clearResult;
    }
    HRESULT BeginScene() override {
        calls.push_back("begin");
        return beginResult;
    }
    HRESULT EndScene() override {
        calls.push_back("end");
        return S_OK;
    }
    HRESULT Present() override {
        calls.push_back("present");
        return Next(presentResults);
    }
    HRESULT Reset() override {
        calls.push_back("reset");
        return Next(resetResults);
    }
    HRESULT clearResult = S_OK;
    HRESULT beginResult = S_OK;
    std::deque<HRESULT> presentResults;  // S_OK once these run out
    std::deque<HRESULT> resetResults;
    std::vector<std::string> calls;

private:
    static HRESULT Next(std::deque<HRESULT>& results) {
        if (results.empty()) {
            return S_OK;
        }
        const HRESULT result = results.front();
        results.pop_front();
        return result;
    }
};

class CountingScene final : public Scene {
public:
    explicit CountingScene(std::vector<std::string>* calls) : calls_(calls) {}
    bool Init(gfx::Device*) override { return true; }
    void Frame(gfx::Device*, SceneContext&) override { calls_->push_back("frame"); }
    void Notify(std::intptr_t) override {}

private:
    std::vector<std::string>* calls_;
};

class DrawSceneFrameTest : public ::testing::Test {
protected:
    DrawSceneFrameTest() {
        auto owned = std::make_unique<ScriptedDevice>();
        device = owned.get();
        SetDirect3DDevice(std::move(owned));
    }
    ~DrawSceneFrameTest() override { ReleaseDirect3D(); }

    using Calls = std::vector<std::string>;

    ScopedTempDir dir;
    ScriptedDevice* device;
    SceneContext context;
};

TEST_F(DrawSceneFrameTest, AFrameClearsDrawsTheSceneBetweenBeginAndEndAndPresents) {
    CountingScene scene(&device->calls);
    DrawSceneFrame(&scene, context);
    EXPECT_EQ(device->calls, (Calls{"clear", "begin", "frame", "end", "present"}));
    device->calls.clear();
    DrawSceneFrame(nullptr, context);
    EXPECT_TRUE(device->calls.empty());
}

TEST_F(DrawSceneFrameTest, FailuresSkipTheirPartOfTheFrame) {
    CountingScene scene(&device->calls);
    device->clearResult = E_FAIL;
    DrawSceneFrame(&scene, context);
    EXPECT_EQ(device->calls, Calls{"clear"});

    device->calls.clear();
    device->clearResult = S_OK;
    device->beginResult = E_FAIL;
    DrawSceneFrame(&scene, context);
    EXPECT_EQ(device->calls, (Calls{"clear", "begin", "present"}));
    EXPECT_EQ(ReadWholeFile("log.txt"), "");
}

TEST_F(DrawSceneFrameTest, ALostDeviceIsResetEveryFrameUntilItComesBack) {
    CountingScene scene(&device->calls);
    device->presentResults = {gfx::ERR_DEVICELOST, gfx::ERR_DEVICELOST, gfx::ERR_DEVICELOST};
    device->resetResults = {E_FAIL, E_FAIL, S_OK};
    for (int frame = 0; frame < 4; ++frame) {
        DrawSceneFrame(&scene, context);
    }
    const Calls lost = {"clear", "begin", "frame", "end", "present", "reset"};
    Calls expected;
    for (int frame = 0; frame < 3; ++frame) {
        expected.insert(expected.end(), lost.begin(), lost.end());
    }
    expected.insert(expected.end(), {"clear", "begin", "frame", "end", "present"});
    EXPECT_EQ(device->calls, expected);
    EXPECT_EQ(ReadWholeFile("log.txt"), kResetFailed + kResetFailed);
}

// A window that loses its surfaces once, the way a full-screen game does on a task switch.
class FlakySink final : public gfx::FrameSink {
public:
    bool ShowFrame(const std::uint32_t* argb) override {
        ++attempts;
        if (attempts == 2) {
            return false;
        }
        lastPixel = argb[0];
        ++shown;
        return true;
    }
    int attempts = 0;
    int shown = 0;
    std::uint32_t lastPixel = 0;
};

class PaintingScene final : public Scene {
public:
    bool Init(gfx::Device*) override { return true; }
    void Frame(gfx::Device* device, SceneContext&) override { device->Clear(0xFF000000u | ++frames, 1.0f, 0); }
    void Notify(std::intptr_t) override {}
    std::uint32_t frames = 0;
};

TEST(SoftwareDeviceLoss, TheSoftwareDeviceRecoversAfterAResetAndKeepsItsTextures) {
    ScopedTempDir dir;
    FlakySink sink;
    auto owned = std::make_unique<gfx::SoftwareDevice>(&sink);
    gfx::SoftwareDevice* device = owned.get();
    SetDirect3DDevice(std::move(owned));
    auto texture = device->CreateTexture(4, 4);
    texture->Lock()[0] = 0x12345678u;
    texture->Unlock();
    PaintingScene scene;
    SceneContext context;
    for (int frame = 0; frame < 3; ++frame) {
        DrawSceneFrame(&scene, context);
    }
    ReleaseDirect3D();
    EXPECT_EQ(scene.frames, 3u);
    EXPECT_EQ(sink.shown, 2);
    EXPECT_EQ(sink.lastPixel, 0xFF000003u);
    EXPECT_EQ(texture->Pixels()[0], 0x12345678u);
    EXPECT_EQ(ReadWholeFile("log.txt"), "");
}

TEST(SoftwareDeviceLoss, WhileLostOnlyPresentReportsItAndNothingReachesTheScreen) {
    FlakySink sink;
    gfx::SoftwareDevice device(&sink);
    EXPECT_EQ(device.Present(), S_OK);
    EXPECT_EQ(device.Present(), gfx::ERR_DEVICELOST);
    EXPECT_EQ(device.Clear(0xFF000000u, 1.0f, 0), S_OK);
    EXPECT_EQ(device.Present(), gfx::ERR_DEVICELOST);
    EXPECT_EQ(sink.attempts, 2);
    EXPECT_EQ(device.Reset(), S_OK);
    EXPECT_EQ(device.Present(), S_OK);
    EXPECT_EQ(sink.shown, 2);
}

}  // namespace
