#include "app/Application.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FramePacer.h"
#include "app/LogPutout.h"
#include "app/Random.h"
#include "app/SceneContext.h"
#include "gfx/Direct3D.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "input/DeviceBuffer.h"
#include "input/InputScript.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/QuitMessage.h"
#include "platform/Window.h"
#include "resource/FilePackLoad.h"

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

// Writes the screenshots asked for after this frame: the frame last presented, which is also
// what a frame without a scene leaves on the screen.
bool WriteScreenshots(const LaunchOptions& options, std::uint32_t frame,
                      const std::optional<gfx::HeadlessFrameSink>& keptFrames) {
    bool written = true;
    for (const LaunchOptions::Screenshot& shot : options.screenshots) {
        if (shot.frame != frame) {
            continue;
        }
        if (!gfx::WritePngFile(shot.path, keptFrames->LastFrame().data(), gfx::kFrameWidth, gfx::kFrameHeight)) {
            std::fprintf(stderr, "velmoria: cannot write screenshot '%s'\n", shot.path.c_str());
            written = false;
        }
    }
    return written;
}

// The window wears the game's crest from the graphics pack. A missing or damaged pack is the
// start-up scene's to report; the window then simply keeps the desktop's default icon.
void ShowCrest(platform::Window& window) {
    CFilePackLoad pack;
    std::vector<std::uint8_t> bytes;
    gfx::Image crest;
    if (pack.TryOpen("wbk.dat") && pack.ReadEntry("ruvani.png", bytes) &&
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

// Everything the main loop drives, in the order it is released at exit.
struct Shell {
    std::unique_ptr<platform::Window> window;
    std::optional<gfx::HeadlessFrameSink> keptFrames;
    std::unique_ptr<SceneSwitcher> switcher;
    MouseInput mouse;
    KeyboardInput keyboard;
};

}  // namespace

int RunGame(const LaunchOptions& options, const GameParts& parts) {
    const bool headless = options.Headless();
    platform::ClearQuit();
    input::InputScript script;
    if (!options.inputScript.empty()) {
        std::string error;
        if (!script.Load(options.inputScript, error)) {
            std::fprintf(stderr, "velmoria: %s\n", error.c_str());
            return 2;
        }
    }

    // 1. Random numbers follow the time, unless a seed makes the run repeatable.
    Random::Seed(options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr)));

    // 2. The first line empties the log: it holds one run only.
    LogPutout firstLine("ログ開始--------------------------------------------", "w");

    Shell shell;
    if (!headless) {
        std::string error;
        if (!platform::StartVideo(error)) {
            std::fprintf(stderr,
                         "velmoria: cannot open a window (%s); run with --headless, or under a virtual display: "
                         "xvfb-run -a velmoria --window\n",
                         error.c_str());
            return 1;
        }
    }

    // 3-4. Full screen or window.
    const bool fullScreen = !headless && ChooseFullScreen(options);
    WriteLog(fullScreen ? "フルスクリーンで起動します" : "ウィンドウモードで起動します");

    // 5-7. The window.
    gfx::FrameSink* sink = nullptr;
    if (!headless) {
        std::string error;
        shell.window = platform::Window::Create(fullScreen, error);
        if (shell.window == nullptr) {
            std::fprintf(stderr, "velmoria: cannot open a window (%s); run with --headless or under xvfb-run\n",
                         error.c_str());
            return 1;
        }
        sink = shell.window.get();
        ShowCrest(*shell.window);
    }
    // Headless runs keep their frames; window runs only when screenshots are asked for.
    if (headless || !options.screenshots.empty()) {
        shell.keptFrames.emplace(sink);
        sink = &*shell.keptFrames;
    }

    // 8-9. The device, and one black frame.
    if (FAILED(InitDirect3D(sink, fullScreen, gfx::kFrameWidth, gfx::kFrameHeight))) {
        return 0;
    }
    gfx::Device* device = Direct3DDevice();
    if (FAILED(device->Clear(0xFF000000u, 1.0f, 0))) {
        ReleaseDirect3D();
        return 0;
    }
    device->Present();
    bool screenshotsWritten = WriteScreenshots(options, 0, shell.keptFrames);

    // 10-11. Sound and the music thread.
    if (parts.startSound) {
        parts.startSound(headless);
    }
    if (parts.startMusicThread) {
        parts.startMusicThread();
    }

    // 12-15. The context, the start-up scene, input, the loading scene.
    SceneContext context;
    SceneSwitcher::Hooks hooks;
    hooks.makeTitle = parts.makeTitle;
    hooks.makeGame = parts.makeGame;
    hooks.drawFrame = &DrawSceneFrame;
    hooks.showMessage = [](const char* text) { platform::ShowMessage("", text); };
    shell.switcher = std::make_unique<SceneSwitcher>(device, std::move(hooks), headless, headless ? 0 : 100);
    if (parts.makeStartUp) {
        std::unique_ptr<Scene> startUp = parts.makeStartUp();
        startUp->Init(device);
        shell.switcher->SetStartUpScene(std::move(startUp));
    }
    shell.mouse.Init(&input::SystemMouse());
    shell.keyboard.Init(&input::SystemKeyboard());
    if (parts.makeNowLoading) {
        std::unique_ptr<Scene> nowLoading = parts.makeNowLoading();
        nowLoading->Init(device);
        shell.switcher->SetNowLoadingScene(std::move(nowLoading));
    }

    // 16. Sixty frames a second; headless runs go as fast as they can.
    FramePacer pacer(platform::SystemClock::Instance(), !headless);
    pacer.SetRate(60);

    int exitCode = 0;
    std::uint32_t frame = 0;
    for (;;) {
        if (shell.window != nullptr && shell.window->PumpEvents()) {
            if (platform::QuitPosted(exitCode)) {
                break;
            }
            platform::SleepMs(1);
            continue;
        }
        if (platform::QuitPosted(exitCode)) {
            break;
        }
        // Nothing is updated or drawn while the window is minimised: the game stands still.
        if (shell.window != nullptr && shell.window->Minimised()) {
            platform::SleepMs(1);
            continue;
        }
        // A script's events arrive once, just before the input of their frame is read.
        bool closeRequested = false;
        script.Deliver(frame + 1, closeRequested);
        if (closeRequested) {
            platform::PostQuit(0);
            continue;
        }
        pacer.Wait();
        shell.mouse.Update();
        shell.keyboard.Update();
        CopyInput(shell.mouse, shell.keyboard, context);
        shell.switcher->Step(context);
        ++frame;
        screenshotsWritten = WriteScreenshots(options, frame, shell.keptFrames) && screenshotsWritten;
        if (options.frames && frame >= *options.frames) {
            break;
        }
        if (!headless) {
            platform::SleepMs(1);
        }
    }

    // Exit in the game's order: scenes, device, music, input.
    shell.switcher->Shutdown();
    ReleaseDirect3D();
    if (parts.stopMusic) {
        parts.stopMusic();
    }
    shell.keyboard.Release();
    shell.mouse.Release();
    shell.window.reset();
    if (!headless) {
        platform::StopVideo();
    }
    for (const LaunchOptions::Screenshot& shot : options.screenshots) {
        if (shot.frame > frame) {
            std::fprintf(stderr, "velmoria: the run ended before frame %u; no screenshot '%s'\n", shot.frame,
                         shot.path.c_str());
            screenshotsWritten = false;
        }
    }
    // A screenshot that was asked for and not written fails the run, so scripts notice.
    return exitCode == 0 && !screenshotsWritten ? 1 : exitCode;
}
