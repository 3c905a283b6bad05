#include "app/Application.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FramePacer.h"
#include "app/SceneFrame.h"
#include "base/LogPutout.h"
#include "base/Random.h"
#include "base/SceneContext.h"
#include "gfx/Direct3D.h"
#include "gfx/FrameRecorder.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "input/DeviceBuffer.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"
#include "input/SystemEvents.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/QuitMessage.h"
#include "platform/Window.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"

namespace {

constexpr std::uint32_t kWatchedScanCodes[kWatchedKeyCount] = {
    0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,  // 1..9, 0
    dik::kN, dik::kU, dik::kS, dik::kD, dik::kSpace, dik::kLeftShift,
};

void CopyInput(const MouseInput& mouse, const KeyboardInput& keyboard, SceneContext& context) {
    for (int key = 0; key < kWatchedKeyCount; ++key) {
        context.SetKey(key, keyboard.Key(kWatchedScanCodes[key]));
    }
    context.SetMouse(mouse.X(), mouse.Y());
    context.SetButtons(mouse.Button(0), mouse.Button(1));
}

// The window wears the game's crest from the graphics pack. A missing or damaged pack is the
// start-up scene's to report; the window then simply keeps the desktop's default icon.
void ShowCrest(platform::Window& window) {
    CFilePackLoad graphics;
    std::vector<std::uint8_t> bytes;
    gfx::Image crest;
    if (graphics.TryOpen(pack::kGraphicsPack) && graphics.ReadEntry("ruvani.png", bytes) &&
        gfx::DecodePng(bytes.data(), bytes.size(), crest)) {
        window.SetIcon(crest.argb.data(), crest.width, crest.height);
    }
}

bool ChooseFullScreen(const LaunchOptions& options) {
    switch (options.display) {
    case LaunchOptions::Display::FullScreen: return true;
    case LaunchOptions::Display::Ask: return platform::AskFullScreen();
    default: return false;
    }
}

// The window as the device sees it: the place finished frames go.
class WindowFrames final : public gfx::FrameSink {
public:
    explicit WindowFrames(platform::Window& window) : window_(window) {}
    bool ShowFrame(const std::uint32_t* argb) override { return window_.ShowFrame(argb); }

private:
    platform::Window& window_;
};

// Everything the main loop drives, from start-up to exit.
class Shell {
public:
    Shell(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts)
        : options_(options), script_(script), parts_(parts), headless_(options.Headless()) {}

    // Start-up in the game's order, up to the first frame of the loop. An exit code when the
    // run cannot start.
    std::optional<int> Open();
    // Frames until a quit is posted or the frame limit is reached; the quit's exit code.
    int Loop();
    // Exit in the game's order: scenes, device, music, input, window.
    void Close();
    // False when a screenshot or recording that was asked for could not be written.
    bool FrameFilesWritten() const { return frameFilesWritten_; }

private:
    bool OpenWindow(bool fullScreen);
    void StartScenes();
    void WriteScreenshots();
    void StartRecording();
    void WriteRecordings();

    const LaunchOptions& options_;
    const input::InputScript& script_;
    const GameParts& parts_;
    const bool headless_;

    bool videoStarted_ = false;
    std::unique_ptr<platform::Window> window_;
    std::optional<WindowFrames> windowFrames_;
    std::optional<gfx::HeadlessFrameSink> keptFrames_;
    gfx::FrameSink* sink_ = nullptr;
    gfx::Device* device_ = nullptr;
    gfx::FrameRecorder* recorder_ = nullptr;  // owned by the device registry, when frames are recorded
    SceneContext context_;
    std::unique_ptr<SceneSwitcher> switcher_;
    MouseInput mouse_;
    KeyboardInput keyboard_;
    std::uint32_t frame_ = 0;
    bool frameFilesWritten_ = true;
};

std::optional<int> Shell::Open() {
    // 1. Random numbers follow the time, unless a seed makes the run repeatable.
    Random::Seed(options_.seed ? *options_.seed : static_cast<std::uint32_t>(std::time(nullptr)));

    // 2. The first line empties the log: it holds one run only.
    LogPutout firstLine("ログ開始--------------------------------------------", "w");

    if (!headless_) {
        std::string error;
        if (!platform::StartVideo(error)) {
            std::fprintf(stderr,
                         "velmoria: cannot open a window (%s); run with --headless, or under a virtual display: "
                         "xvfb-run -a velmoria --window\n",
                         error.c_str());
            return 1;
        }
        videoStarted_ = true;
    }

    // 3-4. Full screen or window.
    const bool fullScreen = !headless_ && ChooseFullScreen(options_);
    WriteLog(fullScreen ? "フルスクリーンで起動します" : "ウィンドウモードで起動します");

    // 5-7. The window.
    if (!headless_ && !OpenWindow(fullScreen)) {
        return 1;
    }
    // Headless runs keep their frames; window runs only when screenshots are asked for.
    if (headless_ || !options_.screenshots.empty()) {
        keptFrames_.emplace(sink_);
        sink_ = &*keptFrames_;
    }

    // 8-9. The device, and one black frame.
    if (FAILED(InitDirect3D(sink_, fullScreen, gfx::kFrameWidth, gfx::kFrameHeight))) {
        return 0;
    }
    if (!options_.recordings.empty()) {
        auto recorder = std::make_unique<gfx::FrameRecorder>(TakeDirect3DDevice());
        recorder_ = recorder.get();
        SetDirect3DDevice(std::move(recorder));
    }
    device_ = Direct3DDevice();
    if (FAILED(device_->Clear(0xFF000000u, 1.0f, 0))) {
        return 0;
    }
    device_->Present();
    WriteScreenshots();

    // 10-11. Sound and the music thread.
    if (parts_.startSound) {
        parts_.startSound(headless_);
    }
    if (parts_.startMusicThread) {
        parts_.startMusicThread();
    }

    // 12-15. The context, the start-up scene, input, the loading scene.
    StartScenes();
    return std::nullopt;
}

bool Shell::OpenWindow(bool fullScreen) {
    std::string error;
    window_ = platform::Window::Create(fullScreen, gfx::kFrameWidth, gfx::kFrameHeight, input::SystemEvents(), error);
    if (window_ == nullptr) {
        std::fprintf(stderr, "velmoria: cannot open a window (%s); run with --headless or under xvfb-run\n",
                     error.c_str());
        return false;
    }
    windowFrames_.emplace(*window_);
    sink_ = &*windowFrames_;
    ShowCrest(*window_);
    return true;
}

void Shell::StartScenes() {
    SceneSwitcher::Hooks hooks;
    hooks.makeTitle = parts_.makeTitle;
    hooks.makeGame = parts_.makeGame;
    hooks.drawFrame = &DrawSceneFrame;
    hooks.showMessage = [](const char* text) { platform::ShowMessage("", text); };
    switcher_ = std::make_unique<SceneSwitcher>(device_, std::move(hooks), headless_, headless_ ? 0 : 100);
    if (parts_.makeStartUp) {
        std::unique_ptr<Scene> startUp = parts_.makeStartUp();
        startUp->Init(device_);
        switcher_->SetStartUpScene(std::move(startUp));
    }
    mouse_.Init(&input::SystemMouse());
    keyboard_.Init(&input::SystemKeyboard());
    if (parts_.makeNowLoading) {
        std::unique_ptr<Scene> nowLoading = parts_.makeNowLoading();
        nowLoading->Init(device_);
        switcher_->SetNowLoadingScene(std::move(nowLoading));
    }
}

int Shell::Loop() {
    // 16. Sixty frames a second; headless runs go as fast as they can.
    FramePacer pacer(platform::SystemClock::Instance(), !headless_);
    pacer.SetRate(60);
    int exitCode = 0;
    for (;;) {
        if (window_ != nullptr && window_->PumpEvents()) {
            if (platform::QuitPosted(exitCode)) {
                return exitCode;
            }
            platform::SleepMs(1);
            continue;
        }
        if (platform::QuitPosted(exitCode)) {
            return exitCode;
        }
        // Nothing is updated or drawn while the window is minimised: the game stands still.
        if (window_ != nullptr && window_->Minimised()) {
            platform::SleepMs(1);
            continue;
        }
        // A script's events arrive once, just before the input of their frame is read.
        bool closeRequested = false;
        script_.Deliver(frame_ + 1, closeRequested);
        if (closeRequested) {
            platform::PostQuit(0);
            continue;
        }
        pacer.Wait();
        mouse_.Update();
        keyboard_.Update();
        CopyInput(mouse_, keyboard_, context_);
        StartRecording();
        switcher_->Step(context_);
        ++frame_;
        WriteScreenshots();
        WriteRecordings();
        if (options_.frames && frame_ >= *options_.frames) {
            return 0;
        }
        if (!headless_) {
            platform::SleepMs(1);
        }
    }
}

void Shell::Close() {
    switcher_->Shutdown();
    ReleaseDirect3D();
    if (parts_.stopMusic) {
        parts_.stopMusic();
    }
    keyboard_.Release();
    mouse_.Release();
    window_.reset();
    if (videoStarted_) {
        platform::StopVideo();
    }
    for (const std::vector<LaunchOptions::FrameFile>* files : {&options_.screenshots, &options_.recordings}) {
        for (const LaunchOptions::FrameFile& file : *files) {
            if (file.frame > frame_) {
                std::fprintf(stderr, "velmoria: the run ended before frame %u; '%s' was not written\n", file.frame,
                             file.path.c_str());
                frameFilesWritten_ = false;
            }
        }
    }
}

// Writes the screenshots asked for after this frame: the frame last presented, which is also
// what a frame without a scene leaves on the screen.
void Shell::WriteScreenshots() {
    for (const LaunchOptions::FrameFile& shot : options_.screenshots) {
        if (shot.frame != frame_) {
            continue;
        }
        if (!gfx::WritePngFile(shot.path, keptFrames_->LastFrame().data(), gfx::kFrameWidth, gfx::kFrameHeight)) {
            std::fprintf(stderr, "velmoria: cannot write screenshot '%s'\n", shot.path.c_str());
            frameFilesWritten_ = false;
        }
    }
}

// Starts recording the device calls when the coming frame is one to record.
void Shell::StartRecording() {
    if (recorder_ == nullptr) {
        return;
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (file.frame == frame_ + 1) {
            recorder_->Start();
            return;
        }
    }
}

// Writes the recordings asked for after this frame.
void Shell::WriteRecordings() {
    if (recorder_ == nullptr) {
        return;
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (file.frame != frame_) {
            continue;
        }
        std::string error;
        if (!recorder_->Finished()) {
            std::fprintf(stderr, "velmoria: frame %u presented nothing to record in '%s'\n", frame_, file.path.c_str());
            frameFilesWritten_ = false;
        } else if (!recorder_->Recording().Save(file.path, error)) {
            std::fprintf(stderr, "velmoria: %s\n", error.c_str());
            frameFilesWritten_ = false;
        }
    }
}

}  // namespace

int RunGame(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts) {
    platform::ClearQuit();
    Shell shell(options, script, parts);
    if (const std::optional<int> failed = shell.Open()) {
        ReleaseDirect3D();
        return *failed;
    }
    const int exitCode = shell.Loop();
    shell.Close();
    // A screenshot or recording that was asked for and not written fails the run, so scripts notice.
    return exitCode == 0 && !shell.FrameFilesWritten() ? 1 : exitCode;
}
