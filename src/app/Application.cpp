#include "app/Application.h"

#include <algorithm>
#include <cmath>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/BattleReplay.h"
#include "app/BattleSpeed.h"
#include "app/FramePacer.h"
#include "app/FrameRateSign.h"
#include "app/FrameTimes.h"
#include "app/InputTrace.h"
#include "app/KeyHelp.h"
#include "app/PackFingerprint.h"
#include "app/PlayerFolder.h"
#include "app/SceneFrame.h"
#include "app/ShellKeys.h"
#include "app/WindowSettings.h"
#include "base/FilePath.h"
#include "base/GameFolders.h"
#include "base/Language.h"
#include "base/LogPutout.h"
#include "base/PlayerText.h"
#include "base/Random.h"
#include "base/SceneContext.h"
#include "gfx/Direct3D.h"
#include "gfx/DrawGate.h"
#include "gfx/FrameRecorder.h"
#include "gfx/PngCodec.h"
#include "gfx/RenderPresets.h"
#include "gfx/SoftwareDevice.h"
#include "input/DeviceBuffer.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"
#include "input/PadInput.h"
#include "input/ScanCodes.h"
#include "input/SceneInput.h"
#include "input/SystemEvents.h"
#include "platform/Clock.h"
#include "platform/GamePad.h"
#include "platform/MessageBox.h"
#include "platform/QuitMessage.h"
#include "platform/Window.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"
#include "enemy/Enemy.h"
#include "field/Battlefield.h"
#include "field/TankObject.h"
#include "object/DrawCrisp.h"
#include "resource/FileClass.h"
#include "scene/game/GameMain.h"
#include "tower/BaseCharacter.h"

namespace {

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

// How the window shows the frames, and why, in the log.
void LogPresentPath(const platform::Window& window) {
    const std::string& detail = window.ReasonDetail();
    switch (window.Reason()) {
    case platform::PathReason::Smooth: {
        WriteLog("画面: 滑らかな拡大のためレンダラーで表示します");
        return;
    }
    case platform::PathReason::Accelerated: {
        WriteLog(("画面: レンダラー " + detail + " で拡大して表示します").c_str());
        return;
    }
    case platform::PathReason::DrawnByProcessor: {
        WriteLog(("画面: レンダラー " + detail + " はプロセッサで描くため、ゲームがウィンドウのピクセルへ直接拡大して表示します").c_str());
        return;
    }
    case platform::PathReason::NoWindowPixels: {
        WriteLog(("画面: ウィンドウのピクセルに書けないのでレンダラーで表示します (" + detail + ")").c_str());
        return;
    }
    case platform::PathReason::Asked: {
        const bool own = window.Path() == platform::PresentPath::WindowSurface;
        WriteLog(own ? "画面: ウィンドウのピクセルへ直接拡大して表示します" : "画面: レンダラーで表示します");
        return;
    }
    }
}

bool ChooseFullScreen(const LaunchOptions& options) {
    switch (options.display) {
    case LaunchOptions::Display::FullScreen: return true;
    case LaunchOptions::Display::Ask: return platform::AskFullScreen();
    default: return false;
    }
}

// The window as the device sees it: the place finished frames go. A frame is made ready to show
// as soon as it is drawn; the main loop shows it at the start of the next frame's time.
class WindowFrames final : public gfx::FrameSink {
public:
    explicit WindowFrames(platform::Window& window) : window_(window) {}
    bool ShowFrame(const std::uint32_t* argb) override {
        pending_ = window_.PrepareFrame(argb);
        return pending_;
    }
    // Whether a frame waits to be shown; it is then taken.
    bool TakePending() { return std::exchange(pending_, false); }

private:
    platform::Window& window_;
    bool pending_ = false;
};

// The first stop of every drawn frame: what follows is the present's time. Without a window the
// frame's record closes here; with one, when the window shows it.
class TimedFrames final : public gfx::FrameSink {
public:
    TimedFrames(FrameTimes& times, gfx::FrameSink* next, bool closesRecord)
        : times_(times), next_(next), closesRecord_(closesRecord) {}
    bool ShowFrame(const std::uint32_t* argb) override {
        times_.Enter(FramePhase::Present);
        const bool shown = next_ == nullptr || next_->ShowFrame(argb);
        if (closesRecord_) {
            times_.Presented();
        }
        return shown;
    }

private:
    FrameTimes& times_;
    gfx::FrameSink* next_;
    bool closesRecord_;
};

// While a replay plays, the player's own input must not reach the battle: only the shell's keys
// pass, and the devices keep taking the recorded input whatever the window's focus does.
class ShellKeysOnly final : public platform::WindowEvents {
public:
    explicit ShellKeysOnly(platform::WindowEvents& next) : next_(next) {}
    void CursorMoved(int, int) override {}
    void ButtonChanged(int, bool) override {}
    void KeyChanged(int sdlScancode, bool down) override {
        if (ShellKeys::Watches(input::ScanCodeFromSdl(sdlScancode))) {
            next_.KeyChanged(sdlScancode, down);
        }
    }
    void FocusChanged(bool) override {}

private:
    platform::WindowEvents& next_;
};

// The same for the pad: it may change the battle's speed or open the key list, nothing else.
class ShellKeysOnlyPad final : public input::PadOutput {
public:
    explicit ShellKeysOnlyPad(input::PadOutput& next) : next_(next) {}
    void Cursor(int& x, int& y) const override { next_.Cursor(x, y); }
    void MoveCursor(int, int) override {}
    void Button(std::uint32_t, bool) override {}
    void Key(std::uint32_t scanCode, bool down) override {
        if (ShellKeys::Watches(scanCode)) {
            next_.Key(scanCode, down);
        }
    }

private:
    input::PadOutput& next_;
};

// The pointer the game draws while the pad drives the cursor: "cursor.png", whose tip is at
// (3, 2) of its 32 x 32.
class PadCursor {
public:
    void Draw(gfx::Device* device, int x, int y) {
        if (!ready_) {
            gfx::Texture* texture = g_FileClass.FindTexture("cursor.png");
            if (texture == nullptr) {
                return;
            }
            sprite_.Create(device, texture, 0.0f, 0.0f, 32.0f, 32.0f);
            ready_ = true;
        }
        sprite_.x = static_cast<float>(x + 13);
        sprite_.y = static_cast<float>(y + 14);
        SetAlphaBlendStates(device);
        DrawCrisp(sprite_, 1);
    }

private:
    Object2D sprite_;
    bool ready_ = false;
};

SceneRequest RequestOf(const SceneContext& context) {
    SceneRequest request;
    request.target = SceneCode::Game;
    request.stage = context.stage;
    request.difficulty = context.difficulty;
    request.character = context.character;
    std::copy(std::begin(context.options), std::end(context.options), request.options);
    return request;
}

// The window's scale: the one asked for, else the one remembered, else the largest that fits
// two thirds of the desktop.
int ChooseScale(const LaunchOptions& options, const WindowSettings& remembered) {
    if (options.scale) {
        return static_cast<int>(*options.scale);
    }
    if (remembered.scale != 0) {
        return remembered.scale;
    }
    return platform::Window::DesktopFittingScale(gfx::kFrameWidth, gfx::kFrameHeight);
}

WindowSettings ReadWindowSettings() {
    WindowSettings settings;
    const std::filesystem::path path = Folders().PlayerFile(player_files::kSettings);
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        return settings;  // the first run
    }
    std::string text;
    std::string error;
    if (!ReadTextFile(path, WindowSettings::kMaxBytes, text, error) || !ParseWindowSettings(text, settings, error)) {
        // Only a convenience: a damaged file costs the remembered settings, nothing else.
        std::fprintf(stderr, "velmoria: %s: %s; the settings start afresh\n", player_files::kSettings.data(),
                     error.c_str());
    }
    return settings;
}

// Everything the main loop drives, from start-up to exit.
class Shell final : public FrameOverlay {
public:
    Shell(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
          const Replay* replay)
        : options_(options), script_(script), parts_(parts), headless_(options.Headless()) {
        if (replay != nullptr) {
            player_.emplace(*replay);
        }
    }

    // Start-up in the game's order, up to the first frame of the loop. An exit code when the
    // run cannot start.
    std::optional<int> Open();
    // Frames until a quit is posted or the frame limit is reached; the quit's exit code.
    int Loop();
    // Exit in the game's order: scenes, device, music, input, window.
    void Close();
    // False when a screenshot or recording that was asked for could not be written.
    bool FrameFilesWritten() const { return frameFilesWritten_; }

    // The fast-forward sign over the battle, and F3's frame-rate sign.
    void Draw(gfx::Device* device) override;

private:
    bool OpenWindow(bool fullScreen);
    void StartScenes();
    void DrawFrame(Scene* scene, SceneContext& context);
    // The frames of one shown frame: one, or at fast-forward several, only the last drawn.
    // False when a script closed the window.
    bool RunShownFrame();
    // A script's events for the coming frame; false when the script closed the window.
    bool DeliverScript();
    std::uint32_t FramesToRun() const;
    void ReadInput();
    // F12 and Alt+Enter, as the shell keys were read this frame.
    void AnswerWindowKeys();
    bool HelpAsked() const;
    void OpenHelp();
    // A frame with the list of keys open: the devices are read for the shell and the list only.
    bool RunHelpFrame();
    void ReadDevices();
    // The pad's frame, into the devices before they are read. pointerFrame is false for the
    // extra frames of fast-forward: the sticks move the pointer once per frame shown.
    void FeedPad(bool pointerFrame);
    void LockOnNearest(input::PadOutput& out);
    void TakePointerSpots();
    // The desktop's pointer hides while the pad drives the game's own.
    void FollowDevice();
    void TakeSpeedRequest();
    void BattleFrame(SceneContext& context);
    void StartRecordedBattle(SceneContext& context);
    void AfterStep();
    void EndBattle();
    // How the running battle stands, as a replay records it; nothing when no battle runs.
    std::optional<Replay::Result> BattleResult() const;
    // Finishes the recording with the result and writes it into the replays folder.
    void KeepReplay(const Replay::Result& result);
    bool InBattle() const;
    bool BattleRunning() const;
    void WriteScreenshots();
    void WriteScreenshot(const LaunchOptions::FrameFile& shot);
    void WriteRequestedScreenshot();
    void StartRecording();
    // Whether the frame is the one the recording asked for.
    bool RecordedFrame(const LaunchOptions::FrameFile& file, std::uint32_t frame) const;
    // Whether the coming frame is known to be the run's last: a replay's last, or the frame limit.
    bool ComingFrameIsLast() const;
    void WriteRecordings();
    void WriteInputTrace();
    // The line of the frame just shown, when --frame-times asked for them.
    void LogFrameTimes();
    // The frame drawn last reaches the window, if it has not yet.
    void ShowPreparedFrame();
    void RememberWindow();
    // Watching a replay, one's own or another's, changes none of the player's files.
    CSaveFile::Access Saves() const { return player_ ? CSaveFile::Access::ReadOnly : CSaveFile::Access::ReadWrite; }
    // A scene (the option screen) changed the guides: remembered at once, except in a replay.
    void RememberGuides();
    // The language of --lang, else of settings.txt; false when --lang names one not installed.
    bool UseLanguage();
    // The option screen chose another language: remembered at once, except in a replay.
    void RememberLanguage();
    void WriteSettings();

    const LaunchOptions& options_;
    const input::InputScript& script_;
    const GameParts& parts_;
    const bool headless_;

    bool videoStarted_ = false;
    std::unique_ptr<platform::Window> window_;
    std::optional<WindowFrames> windowFrames_;
    std::optional<gfx::HeadlessFrameSink> keptFrames_;
    std::optional<TimedFrames> timedFrames_;
    gfx::FrameSink* sink_ = nullptr;
    gfx::Device* device_ = nullptr;
    gfx::FrameRecorder* recorder_ = nullptr;  // owned by the device registry, when frames are recorded
    gfx::DrawGate* gate_ = nullptr;           // owned by the device registry
    SceneContext context_;
    std::unique_ptr<SceneSwitcher> switcher_;
    MouseInput mouse_;
    KeyboardInput keyboard_;
    platform::GamePads pads_;  // started in window mode; headless runs take the pad from scripts
    bool padsStarted_ = false;
    input::PadPointer padPointer_;
    std::optional<ShellKeysOnlyPad> replayPad_;
    std::vector<input::PadPoint> pointerSpots_;  // what the last frame offered the d-pad
    PadCursor padCursor_;
    bool systemCursorShown_ = true;
    ShellKeys shellKeys_;
    BattleSpeed speed_ = BattleSpeed::Normal;
    SpeedBadge badge_;
    FrameTimes times_;
    FrameTimesLog timesLog_;
    std::uint64_t timesLogged_ = 0;  // shown frames whose line is written
    FrameRateSign rateSign_;
    KeyHelp help_;
    InputTrace trace_;
    WindowSettings settings_;
    bool guidesShown_ = true;  // the guides the scenes had, to see a scene change them
    std::uint32_t languageShown_ = 0;  // the language generation settings.txt was last written in
    std::uint32_t frame_ = 0;
    bool screenshotWanted_ = false;

    // The battle's recording, or the replay that plays instead.
    std::optional<ReplayPlayer> player_;
    std::optional<ShellKeysOnly> replayEvents_;
    bool replayStarted_ = false;
    ReplayRecorder battleRecorder_;
    InputSnapshot inputBefore_;                 // the input of the frame before the last read
    std::atomic<std::uint32_t> loaderRandom_{1};  // the random state the battle was built from
    std::uint32_t battleFrames_ = 0;            // frames the running battle has had
    bool frameFilesWritten_ = true;
    bool showFailed_ = false;  // the window failed to show a frame, and the log says so
    std::uint32_t lastFrame_ = 0;  // the run's last frame, once it was known ahead
};

std::optional<int> Shell::Open() {
    if (!options_.frameTimes.empty()) {
        std::string error;
        if (!timesLog_.Open(options_.frameTimes, error)) {
            std::fprintf(stderr, "velmoria: %s\n", error.c_str());
            return 2;
        }
    }
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

    settings_ = ReadWindowSettings();
    if (!UseLanguage()) {
        return 2;
    }

    // 3-4. Full screen or window.
    const bool fullScreen = !headless_ && ChooseFullScreen(options_);
    WriteLog(fullScreen ? "フルスクリーンで起動します" : "ウィンドウモードで起動します");

    // 5-7. The window.
    if (!headless_ && !OpenWindow(fullScreen)) {
        return 1;
    }
    // Every run keeps its last frame, for the screenshots F12 or the command line ask for.
    keptFrames_.emplace(sink_);
    sink_ = &*keptFrames_;
    timedFrames_.emplace(times_, sink_, window_ == nullptr);
    sink_ = &*timedFrames_;

    // 8-9. The device, and one black frame.
    if (FAILED(InitDirect3D(sink_, fullScreen, gfx::kFrameWidth, gfx::kFrameHeight))) {
        return 0;
    }
    if (!options_.recordings.empty()) {
        auto recorder = std::make_unique<gfx::FrameRecorder>(TakeDirect3DDevice());
        recorder_ = recorder.get();
        SetDirect3DDevice(std::move(recorder));
    }
    auto gate = std::make_unique<gfx::DrawGate>(TakeDirect3DDevice());
    gate_ = gate.get();
    SetDirect3DDevice(std::move(gate));
    device_ = Direct3DDevice();
    if (FAILED(device_->Clear(0xFF000000u, 1.0f, 0))) {
        return 0;
    }
    device_->Present();
    ShowPreparedFrame();
    WriteScreenshots();

    // 10-11. Sound and the music thread.
    if (parts_.startSound) {
        parts_.startSound(headless_);
    }
    if (parts_.startMusicThread) {
        parts_.startMusicThread();
    }

    // 12-15. The context, the start-up scene, input, the loading scene.
    context_.guides = options_.guides.value_or(settings_.guides);
    guidesShown_ = context_.guides;
    StartScenes();
    return std::nullopt;
}

bool Shell::OpenWindow(bool fullScreen) {
    std::string error;
    const platform::WindowLook look{fullScreen, ChooseScale(options_, settings_), options_.smooth};
    platform::WindowEvents* events = &input::SystemEvents();
    if (player_) {
        replayEvents_.emplace(*events);
        events = &*replayEvents_;
    }
    window_ = platform::Window::Create(look, gfx::kFrameWidth, gfx::kFrameHeight, *events, error);
    if (window_ == nullptr) {
        std::fprintf(stderr, "velmoria: cannot open a window (%s); run with --headless or under xvfb-run\n",
                     error.c_str());
        return false;
    }
    windowFrames_.emplace(*window_);
    sink_ = &*windowFrames_;
    LogPresentPath(*window_);
    ShowCrest(*window_);
    return true;
}

void Shell::StartScenes() {
    SceneSwitcher::Hooks hooks;
    hooks.makeTitle = parts_.makeTitle;
    if (parts_.makeGame) {
        // On the loader thread: the battle is built from this thread's random numbers.
        hooks.makeGame = [this](const SceneRequest& request) {
            PackFingerprint();  // read here, away from the frames
            if (player_) {
                Random::Seed(player_->Recorded().loaderRandom);
            }
            loaderRandom_.store(Random::State());
            SceneRequest battle = request;
            battle.saves = Saves();
            return parts_.makeGame(battle);
        };
    }
    hooks.drawFrame = [this](Scene* scene, SceneContext& context) { DrawFrame(scene, context); };
    hooks.showMessage = [](const char* text) { platform::ShowMessage("", text); };
    switcher_ = std::make_unique<SceneSwitcher>(device_, std::move(hooks), headless_, headless_ ? 0 : 100);
    if (parts_.makeStartUp) {
        std::unique_ptr<Scene> startUp = parts_.makeStartUp(Saves());
        startUp->Init(device_);
        switcher_->SetStartUpScene(std::move(startUp));
    }
    mouse_.Init(&input::SystemMouse());
    keyboard_.Init(&input::SystemKeyboard());
    if (!headless_) {
        std::string error;
        padsStarted_ = pads_.Start(error);
        if (!padsStarted_) {
            WriteLog(("ゲームパッドを使えません: " + error).c_str());
        }
    }
    if (player_) {
        replayPad_.emplace(input::SystemPadOutput());
    }
    if (parts_.makeNowLoading) {
        std::unique_ptr<Scene> nowLoading = parts_.makeNowLoading();
        nowLoading->Init(device_);
        switcher_->SetNowLoadingScene(std::move(nowLoading));
    }
    badge_.Init(device_);
    rateSign_.Init(device_);
    help_.Init(device_);
}

void Shell::DrawFrame(Scene* scene, SceneContext& context) {
    if (scene != nullptr && scene == switcher_->GameScene()) {
        BattleFrame(context);
    }
    DrawSceneFrame(scene, context, this);
    if (player_ && !replayStarted_ && scene == switcher_->StartUpScene() && context.sceneCode == SceneCode::Title) {
        StartRecordedBattle(context);
    }
}

// A replay goes from the start-up, once everything is loaded, straight into its battle, the way
// the title would send the player there.
void Shell::StartRecordedBattle(SceneContext& context) {
    const Replay& replay = player_->Recorded();
    replayStarted_ = true;
    context.stage = replay.stage;
    context.difficulty = replay.difficulty;
    context.character = replay.character;
    std::copy(replay.options.begin(), replay.options.end(), context.options);
    context.sceneCode = SceneCode::Game;
    context.transitionMode = TransitionMode::Leaving;
}

// Just before each frame of the battle, with this frame's input read: the recording takes it; a
// replay puts the recorded input in its place, read through the devices once more.
void Shell::BattleFrame(SceneContext& context) {
    ++battleFrames_;
    if (battleFrames_ == 1) {
        if (player_) {
            Random::Seed(player_->Recorded().battleRandom);
            for (std::uint32_t step = 1; step <= player_->PreludeSteps(); ++step) {
                player_->DeliverPrelude(step);
                ReadDevices();
            }
        } else {
            battleRecorder_.Begin(RequestOf(context), loaderRandom_.load(), Random::State(), inputBefore_);
        }
    }
    if (player_) {
        player_->Deliver(battleFrames_);
        ReadDevices();
    } else if (battleRecorder_.Recording()) {
        battleRecorder_.Frame(InputSnapshot::Of(context));
    }
}

// The battle is over for the shell when it leaves, or, in a replay, when it has run the frames
// that were recorded.
void Shell::AfterStep() {
    RememberGuides();
    RememberLanguage();
    if (battleFrames_ == 0) {
        return;
    }
    if (context_.transitionMode == TransitionMode::Leaving ||
        (player_ && battleFrames_ >= player_->Recorded().frames)) {
        EndBattle();
    } else if (battleRecorder_.Recording() && battleFrames_ >= Replay::kMaxFrames) {
        // A battle left running for over a day keeps the replay of its first day, the most a
        // replay holds; the rest of it is not recorded.
        if (const std::optional<Replay::Result> result = BattleResult()) {
            KeepReplay(*result);
        }
    }
}

std::optional<Replay::Result> Shell::BattleResult() const {
    const auto* battle = dynamic_cast<const GameMain*>(switcher_->GameScene());
    if (battle == nullptr) {
        return std::nullopt;
    }
    return Replay::Result{battle->StageScore(), battle->Counters().lives, battle->Counters().waveCount};
}

void Shell::EndBattle() {
    battleFrames_ = 0;
    const std::optional<Replay::Result> ended = BattleResult();
    if (!ended) {
        return;
    }
    const Replay::Result& result = *ended;
    if (headless_ || player_) {
        std::printf("score %d, lives %d, wave %d\n", result.score, result.lives, result.wave);
        std::fflush(stdout);
    }
    if (player_) {
        const Replay::Result& recorded = player_->Recorded().result;
        const bool same = result == recorded;
        if (!same) {
            std::fprintf(stderr,
                         "velmoria: the replay did not end as it was recorded (score %d, lives %d, wave %d); "
                         "it does not show the recorded battle\n",
                         recorded.score, recorded.lives, recorded.wave);
        }
        platform::PostQuit(same ? 0 : 1);
        return;
    }
    if (battleRecorder_.Recording()) {
        KeepReplay(result);
    }
}

void Shell::KeepReplay(const Replay::Result& result) {
    std::filesystem::path path;
    std::string error;
    if (SaveReplay(battleRecorder_.Finish(result), path, error)) {
        WriteLog(("リプレイを保存しました: " + Utf8Of(path)).c_str());
    } else {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
    }
}

// The sign shows the speed in effect: not while the battle stands still for its menu or result.
void Shell::Draw(gfx::Device* device) {
    if (BattleRunning()) {
        badge_.Draw(device, speed_);
    }
    rateSign_.Draw(device, times_);
    if (input::LastUsedDevice() == input::LastDevice::Pad) {
        int x = 0;
        int y = 0;
        input::GetCursorPosition(x, y);
        padCursor_.Draw(device, x, y);
    }
    // What is left of the frame is the device turning its queued draws into pixels.
    times_.Enter(FramePhase::Drawing);
}

bool Shell::InBattle() const {
    return context_.sceneCode == SceneCode::Game && switcher_->GameScene() != nullptr && !switcher_->Loading();
}

// The battle runs, and runs fast when asked; its pause menu and result window, and every other
// scene, run one frame per frame shown.
bool Shell::BattleRunning() const { return InBattle() && context_.transitionMode == TransitionMode::Running; }

int Shell::Loop() {
    // 16. Sixty frames a second; headless runs go as fast as they can.
    FramePacer pacer(platform::SystemClock::Instance(), !headless_);
    pacer.SetRate(60);
    int exitCode = 0;
    for (;;) {
        times_.Enter(FramePhase::Input);
        // Events are taken with a short sleep after them, but never past the time the frame is
        // due: a mouse that reports a thousand times a second would hold the frame back for as
        // long as it moves.
        if (window_ != nullptr && window_->PumpEvents()) {
            if (platform::QuitPosted(exitCode)) {
                return exitCode;
            }
            if (!pacer.Due()) {
                times_.Enter(FramePhase::Waiting);
                platform::SleepMs(1);
                continue;
            }
        }
        if (platform::QuitPosted(exitCode)) {
            return exitCode;
        }
        // Nothing is updated or drawn while the window is minimised: the game stands still.
        if (window_ != nullptr && window_->Minimised()) {
            times_.Enter(FramePhase::Waiting);
            platform::SleepMs(1);
            continue;
        }
        times_.Enter(FramePhase::Waiting);
        pacer.Wait();
        // The last pass drew its frame; it is shown now, at the start of this frame's time, so
        // frames reach the screen at the pacer's beat however long drawing each one took.
        ShowPreparedFrame();
        times_.Enter(FramePhase::Input);
        if (window_ != nullptr) {
            window_->PollCursor();
        }
        if (!RunShownFrame()) {
            continue;
        }
        // Keeping the pictures asked for counts to the present.
        WriteScreenshots();
        WriteRequestedScreenshot();
        WriteRecordings();
        LogFrameTimes();
        if (options_.frames && frame_ >= *options_.frames) {
            return 0;
        }
        if (!headless_) {
            times_.Enter(FramePhase::Waiting);
            platform::SleepMs(1);
        }
    }
}

bool Shell::RunShownFrame() {
    // While the list of keys is open the game stands still: no scene runs a frame.
    if (help_.IsOpen()) {
        return RunHelpFrame();
    }
    bool helpAsked = false;
    const std::uint32_t frames = FramesToRun();
    for (std::uint32_t i = 0; i < frames; ++i) {
        // The battle stopped (its menu opened, or it ended): what is left of this shown frame is
        // not run, so the menu gets its frames one by one. The screen keeps its last picture
        // for this once.
        if (i > 0 && !BattleRunning()) {
            break;
        }
        times_.Enter(FramePhase::Input);
        if (!DeliverScript()) {
            return false;
        }
        FeedPad(i == 0);
        ReadInput();
        const bool shown = i + 1 == frames;
        gate_->SetOpen(shown);
        if (shown) {
            StartRecording();
        }
        times_.Enter(FramePhase::Simulation);
        context_.padHints = input::LastUsedDevice() == input::LastDevice::Pad;
        context_.ClearPointerSpots();
        switcher_->Step(context_);
        TakePointerSpots();
        TakeSpeedRequest();
        ++frame_;
        AfterStep();
        int exitCode = 0;
        if (platform::QuitPosted(exitCode)) {
            break;  // the loop leaves with it
        }
        // F1's own frame has run (F1 is nothing to a scene); the list opens over what it left.
        if (HelpAsked()) {
            helpAsked = true;
            break;
        }
    }
    gate_->SetOpen(true);
    if (helpAsked) {
        OpenHelp();
    }
    FollowDevice();
    return true;
}

bool Shell::DeliverScript() {
    // A script's events arrive once, just before the input of their frame is read.
    bool closeRequested = false;
    script_.Deliver(frame_ + 1, closeRequested);
    if (closeRequested) {
        platform::PostQuit(0);
        gate_->SetOpen(true);
        return false;
    }
    return true;
}

// The list of keys is one of the guides; it opens over the title or the battle, never while a
// scene loads.
bool Shell::HelpAsked() const {
    const bool titleShown = context_.sceneCode == SceneCode::Title && switcher_->TitleScene() != nullptr;
    return shellKeys_.HelpPressed() && context_.guides && !switcher_->Loading() && (titleShown || InBattle());
}

// The device keeps the frame on screen between presents, so the list is drawn over it once and
// stays there, in the window and in screenshots, until it closes.
void Shell::OpenHelp() {
    help_.Open(KeyHelp::Devices::Of(keyboard_, mouse_));
    if (SUCCEEDED(device_->BeginScene())) {
        help_.Draw(device_);
        device_->EndScene();
    }
    device_->Present();
}

// The shell's frame counter goes on (scripts, screenshots and --frames count these frames); the
// scenes' input keeps what it was before the list opened, so after it closes their press edges
// are taken against that, as in a replay of the battle, which never sees these frames.
bool Shell::RunHelpFrame() {
    if (!DeliverScript()) {
        return false;
    }
    FeedPad(true);
    mouse_.Update();
    keyboard_.Update();
    shellKeys_.Read(keyboard_);
    AnswerWindowKeys();
    help_.Watch(KeyHelp::Devices::Of(keyboard_, mouse_));
    ++frame_;
    return true;
}

// One frame, or at fast-forward as many as the speed asks; a frame that must be seen (a
// screenshot's, a recording's, the run's last) ends the run of frames, so it is drawn.
std::uint32_t Shell::FramesToRun() const {
    if (!BattleRunning()) {
        return 1;
    }
    std::uint32_t frames = static_cast<std::uint32_t>(FramesPerShown(speed_));
    auto mustShow = [&](std::uint32_t frame) {
        if (frame > frame_) {
            frames = std::min(frames, frame - frame_);
        }
    };
    for (const std::vector<LaunchOptions::FrameFile>* files : {&options_.screenshots, &options_.recordings}) {
        for (const LaunchOptions::FrameFile& file : *files) {
            mustShow(file.frame);
        }
    }
    if (options_.frames) {
        mustShow(*options_.frames);
    }
    // A replay ends on its last battle frame, and shows it.
    if (player_ && battleFrames_ > 0 && player_->Recorded().frames > battleFrames_) {
        mustShow(frame_ + (player_->Recorded().frames - battleFrames_));
    }
    return frames;
}

void Shell::ReadDevices() {
    mouse_.Update();
    keyboard_.Update();
    CopyInput(mouse_, keyboard_, context_);
    trace_.Add(frame_ + 1, InputSnapshot::Of(context_));
}

void Shell::FeedPad(bool pointerFrame) {
    platform::PadState pad = input::ScriptPad();
    if (padsStarted_) {
        pad = platform::Merge(pads_.Poll(), pad);
    }
    std::optional<input::PadLattice> plots;
    const auto* battle = InBattle() ? dynamic_cast<const GameMain*>(switcher_->GameScene()) : nullptr;
    if (battle != nullptr && BattleRunning()) {
        plots = input::PadLattice{TankObject::kFirstPlotCentre, TankObject::kLastPlotCentre, TankObject::kPlotSize};
    }
    padPointer_.SetSpots(pointerSpots_, plots);
    // The shoulders step on from the tower being placed, however it was chosen.
    if (battle == nullptr) {
        padPointer_.SetShopEntry(-1);
    } else if (const cBaseCharacter* controller = battle->Controller()) {
        const TankObject& cursor = controller->cursor;
        if (cursor.mode == TankObject::kPlacing || cursor.mode == TankObject::kPlacingRefused) {
            padPointer_.SetShopEntry(static_cast<int>(cursor.kind) - 1);
        }
    }
    input::PadOutput& out = replayPad_ ? static_cast<input::PadOutput&>(*replayPad_) : input::SystemPadOutput();
    padPointer_.Update(pad, out, pointerFrame);
    if (padPointer_.LockOnAsked() && battle != nullptr && BattleRunning() && !replayPad_) {
        LockOnNearest(out);
    }
}

// The right stick's click: the pointer goes to the enemy on the field nearest to it and clicks
// there, which locks it on as a click of the mouse would.
void Shell::LockOnNearest(input::PadOutput& out) {
    const auto* battle = dynamic_cast<const GameMain*>(switcher_->GameScene());
    int x = 0;
    int y = 0;
    out.Cursor(x, y);
    const Enemy* nearest = nullptr;
    float nearestDistance = 0.0f;
    for (const auto& enemy : battle->Field()->Enemies()) {
        if (enemy->alive == 0 || !TankObject::IsInField(static_cast<int>(enemy->x), static_cast<int>(enemy->y))) {
            continue;
        }
        const float distance = std::hypot(enemy->x - static_cast<float>(x), enemy->y - static_cast<float>(y));
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = enemy.get();
            nearestDistance = distance;
        }
    }
    if (nearest != nullptr) {
        padPointer_.ClickAt(static_cast<int>(nearest->x), static_cast<int>(nearest->y), out);
    }
}

void Shell::TakePointerSpots() {
    pointerSpots_.clear();
    for (std::size_t i = 0; i < context_.pointerSpotCount; ++i) {
        pointerSpots_.push_back({context_.pointerSpots[i].x, context_.pointerSpots[i].y});
    }
}

void Shell::FollowDevice() {
    const bool shown = input::LastUsedDevice() != input::LastDevice::Pad;
    if (window_ != nullptr && shown != systemCursorShown_) {
        window_->ShowSystemCursor(shown);
    }
    systemCursorShown_ = shown;
}

void Shell::ReadInput() {
    inputBefore_ = InputSnapshot::Of(context_);
    ReadDevices();
    shellKeys_.Read(keyboard_);
    if (!InBattle()) {
        speed_ = BattleSpeed::Normal;
    } else if (shellKeys_.SpeedPressed()) {
        speed_ = NextSpeed(speed_);
    }
    context_.battleSpeed = static_cast<std::uint8_t>(FramesPerShown(speed_));
    AnswerWindowKeys();
}

void Shell::AnswerWindowKeys() {
    if (shellKeys_.ScreenshotPressed()) {
        screenshotWanted_ = true;
    }
    if (shellKeys_.FrameRatePressed()) {
        rateSign_.Toggle();
    }
    if (shellKeys_.FullScreenPressed() && window_ != nullptr) {
        window_->ToggleFullScreen();
        WriteLog(window_->FullScreen() ? "フルスクリーンに切り替えました" : "ウィンドウモードに切り替えました");
    }
}

// The battle's speed button asks for the next speed, as Tab does; it counts from the next frame.
void Shell::TakeSpeedRequest() {
    if (context_.speedAsked == 0) {
        return;
    }
    context_.speedAsked = 0;
    if (InBattle()) {
        speed_ = NextSpeed(speed_);
    }
}

void Shell::Close() {
    // A battle still running when the run ends is over too: its replay is kept.
    if (battleFrames_ > 0) {
        EndBattle();
    }
    switcher_->Shutdown();
    WriteInputTrace();
    if (!timesLog_.Close(platform::ProcessorSeconds())) {
        std::fprintf(stderr, "velmoria: cannot write '%s'\n", options_.frameTimes.c_str());
        frameFilesWritten_ = false;
    }
    RememberGuides();
    RememberLanguage();
    RememberWindow();
    ReleaseDirect3D();
    if (parts_.stopMusic) {
        parts_.stopMusic();
    }
    keyboard_.Release();
    mouse_.Release();
    pads_.Stop();
    window_.reset();
    if (videoStarted_) {
        platform::StopVideo();
    }
    for (const LaunchOptions::FrameFile& shot : options_.screenshots) {
        if (shot.last) {
            WriteScreenshot(shot);
        }
    }
    for (const std::vector<LaunchOptions::FrameFile>* files : {&options_.screenshots, &options_.recordings}) {
        for (const LaunchOptions::FrameFile& file : *files) {
            if (file.frame > frame_ && !file.last) {
                std::fprintf(stderr, "velmoria: the run ended before frame %u; '%s' was not written\n", file.frame,
                             file.path.c_str());
                frameFilesWritten_ = false;
            }
        }
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (file.last && lastFrame_ == 0) {
            std::fprintf(stderr,
                         "velmoria: the run's last frame was not known before it was drawn (only a replay's end or "
                         "--frames tell it); '%s' was not written\n",
                         file.path.c_str());
            frameFilesWritten_ = false;
        }
    }
}

// Writes the screenshots asked for after this frame: the frame last presented, which is also
// what a frame without a scene leaves on the screen.
void Shell::WriteScreenshots() {
    for (const LaunchOptions::FrameFile& shot : options_.screenshots) {
        if (shot.frame == frame_ && !shot.last) {
            WriteScreenshot(shot);
        }
    }
}

void Shell::WriteScreenshot(const LaunchOptions::FrameFile& shot) {
    if (!gfx::WritePngFile(shot.path, keptFrames_->LastFrame().data(), gfx::kFrameWidth, gfx::kFrameHeight)) {
        std::fprintf(stderr, "velmoria: cannot write screenshot '%s'\n", shot.path.c_str());
        frameFilesWritten_ = false;
    }
}

// F12's screenshot: the frame last shown, into the player's screenshot folder.
void Shell::WriteRequestedScreenshot() {
    if (!screenshotWanted_) {
        return;
    }
    screenshotWanted_ = false;
    std::filesystem::path folder;
    std::string error;
    if (!player_files::MakeSubfolder(player_files::kScreenshots, folder, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return;
    }
    const std::filesystem::path path = player_files::FreshName(folder, "", ".png");
    if (!gfx::WritePngFile(Utf8Of(path), keptFrames_->LastFrame().data(), gfx::kFrameWidth, gfx::kFrameHeight)) {
        std::fprintf(stderr, "velmoria: cannot write screenshot '%s'\n", Utf8Of(path).c_str());
        return;
    }
    WriteLog(("スクリーンショットを保存しました: " + Utf8Of(path)).c_str());
}

void Shell::WriteInputTrace() {
    if (options_.recordInput.empty()) {
        return;
    }
    if (!player_files::WriteText(PathFromUtf8(options_.recordInput),
                                 "# the input the scenes saw, frame by frame\n" + trace_.Text())) {
        std::fprintf(stderr, "velmoria: cannot write '%s'\n", options_.recordInput.c_str());
        frameFilesWritten_ = false;
    }
}

// The window's scale is remembered for the next run, in a file of our own beside the save.
void Shell::ShowPreparedFrame() {
    if (!windowFrames_ || !windowFrames_->TakePending()) {
        return;
    }
    times_.Enter(FramePhase::Present);
    if (!window_->PresentFrame() && !showFailed_) {
        showFailed_ = true;
        WriteLog("画面の表示に失敗しました");
    }
    times_.Presented();
    LogFrameTimes();
}

void Shell::LogFrameTimes() {
    if (timesLog_.IsOpen() && times_.Shown() != timesLogged_) {
        timesLog_.Write(frame_, times_.Last());
        timesLogged_ = times_.Shown();
    }
}

void Shell::RememberWindow() {
    if (window_ == nullptr || window_->Scale() == settings_.scale || Saves() == CSaveFile::Access::ReadOnly) {
        return;
    }
    settings_.scale = window_->Scale();
    WriteSettings();
}

// A run with --guides keeps the file's choice until the player makes another on the option screen.
void Shell::RememberGuides() {
    if (context_.guides == guidesShown_) {
        return;
    }
    guidesShown_ = context_.guides;
    if (player_) {
        return;  // a replay writes none of the player's files
    }
    settings_.guides = context_.guides;
    WriteSettings();
}

bool Shell::UseLanguage() {
    std::string error;
    const bool asked = options_.language.has_value();
    if (!language::Use(options_.language.value_or(settings_.language), Folders().packs, error)) {
        std::fprintf(stderr, "velmoria: %s%s\n", error.c_str(), asked ? "" : "; the texts stay Japanese");
        if (asked) {
            return false;
        }
    }
    languageShown_ = language::Generation();
    return true;
}

void Shell::RememberLanguage() {
    if (language::Generation() == languageShown_) {
        return;
    }
    languageShown_ = language::Generation();
    if (player_) {
        return;  // a replay writes none of the player's files
    }
    settings_.language = language::Current();
    WriteSettings();
}

void Shell::WriteSettings() {
    if (!player_files::WriteText(Folders().PlayerFile(player_files::kSettings), FormatWindowSettings(settings_))) {
        std::fprintf(stderr, "velmoria: cannot write %s\n", player_files::kSettings.data());
    }
}

// Starts recording the device calls when the coming frame is one to record.
void Shell::StartRecording() {
    if (recorder_ == nullptr) {
        return;
    }
    if (ComingFrameIsLast()) {
        lastFrame_ = frame_ + 1;
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (RecordedFrame(file, frame_ + 1)) {
            recorder_->Start();
            return;
        }
    }
}

bool Shell::RecordedFrame(const LaunchOptions::FrameFile& file, std::uint32_t frame) const {
    return file.last ? frame == lastFrame_ : frame == file.frame;
}

bool Shell::ComingFrameIsLast() const {
    return (options_.frames && *options_.frames == frame_ + 1) ||
           (player_ && battleFrames_ > 0 && battleFrames_ + 1 == player_->Recorded().frames);
}

// Writes the recordings asked for after this frame.
void Shell::WriteRecordings() {
    if (recorder_ == nullptr) {
        return;
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (!RecordedFrame(file, frame_)) {
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

int RunGame(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
            const Replay* replay) {
    platform::ClearQuit();
    Shell shell(options, script, parts, replay);
    if (const std::optional<int> failed = shell.Open()) {
        ReleaseDirect3D();
        return *failed;
    }
    const int exitCode = shell.Loop();
    shell.Close();
    // A screenshot or recording that was asked for and not written fails the run, so scripts notice.
    return exitCode == 0 && !shell.FrameFilesWritten() ? 1 : exitCode;
}
