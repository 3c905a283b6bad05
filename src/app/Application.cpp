#include "app/Application.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/BattleRecording.h"
#include "app/BattleSpeed.h"
#include "app/FramePacer.h"
#include "app/FrameRateSign.h"
#include "app/InputTrace.h"
#include "app/KeptPictures.h"
#include "app/KeyHelp.h"
#include "app/LoopTimes.h"
#include "app/PackFingerprint.h"
#include "app/PadControl.h"
#include "app/PlayerFolder.h"
#include "app/RememberedSettings.h"
#include "app/SceneFrame.h"
#include "app/ShellKeys.h"
#include "app/ShellWindow.h"
#include "base/FilePath.h"
#include "base/LogPutout.h"
#include "base/Random.h"
#include "base/SceneContext.h"
#include "gfx/Direct3D.h"
#include "gfx/DrawGate.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"
#include "input/PadInput.h"
#include "input/SceneInput.h"
#include "input/SystemEvents.h"
#include "platform/FrameLoop.h"
#include "platform/MessageBox.h"
#include "platform/QuitMessage.h"
#include "platform/Window.h"
#include "scene/game/GameMain.h"

namespace {

bool ChooseFullScreen(const LaunchOptions& options) {
    switch (options.display) {
    case LaunchOptions::Display::FullScreen: return true;
    case LaunchOptions::Display::Ask: return platform::AskFullScreen();
    default: return false;
    }
}

}  // namespace

// The order of the loop and the scenes, from start-up to exit; the side services (the window,
// the battle's recording, the pictures kept, the settings remembered, the pad, the frame times)
// are pieces of their own that it calls.
class Shell final : public FrameOverlay {
public:
    Shell(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
          const Replay* replay, platform::Clock& clock, FramePacer::Beats beats)
        : options_(options),
          script_(script),
          parts_(parts),
          pacer_(clock, !options.Headless(), beats),
          recording_(replay, options.Headless()),
          pictures_(options),
          settings_(options, replay == nullptr) {}

    // Start-up in the game's order, up to the first frame of the loop. An exit code when the
    // run cannot start.
    std::optional<int> Open();
    // One pass of the loop; the run ends when a quit is posted or the frame limit is reached.
    LoopPass Step();
    // Exit in the game's order: scenes, device, music, input, window. False when a file that
    // was asked for (a screenshot, a recording, the input trace, the frame times) was not written.
    bool Close();

    // The fast-forward sign over the battle, F3's frame-rate sign and the pad's pointer.
    void Draw(gfx::Device* device) override;

private:
    bool Headless() const { return options_.Headless(); }
    // The window's events and the minimised pause, up to the wait for the frame's beat; a pass
    // that ends before the beat, or nothing when the frame may follow.
    std::optional<LoopPass> TakeEvents();
    // The shown frame after the beat, and the files it keeps.
    LoopPass RunFrame();
    // A short pause before the next pass, counted as waiting.
    LoopPass Breathe();
    // The window, and the way the device's frames take to it; false when it cannot open.
    bool OpenScreen(bool fullScreen, gfx::FrameSink*& frames);
    void StartScenes();
    void DrawFrame(Scene* scene, SceneContext& context);
    // The frames of one shown frame: one, or at fast-forward several, only the last drawn.
    // False when a script closed the window.
    bool RunShownFrame();
    // A script's events for the coming frame; false when the script closed the window.
    bool DeliverScript();
    std::uint32_t FramesToRun() const;
    void ReadInput();
    // F12, F3 and Alt+Enter, as the shell keys were read this frame.
    void AnswerWindowKeys();
    bool HelpAsked() const;
    void OpenHelp();
    // A frame with the list of keys open: the devices are read for the shell and the list only.
    bool RunHelpFrame();
    void ReadDevices();
    // The pad's frame, into the devices before they are read.
    void FeedPad(bool pointerFrame);
    void TakeSpeedRequest();
    // Whether the coming frame is known to be the run's last: a replay's last, or the frame limit.
    bool ComingFrameIsLast() const;
    bool WriteInputTrace();
    // The frame drawn last reaches the window, if it has not yet.
    void ShowPreparedFrame();
    bool InBattle() const;
    bool BattleRunning() const;

    const LaunchOptions& options_;
    const input::InputScript& script_;
    const GameParts& parts_;
    FramePacer pacer_;
    bool beatPending_ = false;  // a pass stopped at the wait for the beat, and resumes there

    ShellWindow screen_;
    LoopTimes times_;
    gfx::Device* device_ = nullptr;
    gfx::DrawGate* gate_ = nullptr;  // owned by the device registry
    SceneContext context_;
    std::unique_ptr<SceneSwitcher> switcher_;
    std::uint32_t frame_ = 0;

    MouseInput mouse_;
    KeyboardInput keyboard_;
    PadControl pad_;
    ShellKeys shellKeys_;
    InputTrace trace_;

    BattleSpeed speed_ = BattleSpeed::Normal;
    SpeedBadge badge_;
    FrameRateSign rateSign_;
    KeyHelp help_;

    BattleRecording recording_;
    KeptPictures pictures_;
    RememberedSettings settings_;
};

std::optional<int> Shell::Open() {
    if (!times_.Open(options_.frameTimes)) {
        return 2;
    }
    // 1. Random numbers follow the time, unless a seed makes the run repeatable.
    Random::Seed(options_.seed ? *options_.seed : static_cast<std::uint32_t>(std::time(nullptr)));

    // 2. The first line empties the log: it holds one run only.
    LogPutout firstLine("ログ開始--------------------------------------------", "w");

    if (!Headless() && !screen_.StartVideo()) {
        return 1;
    }
    settings_.Read();
    if (!settings_.UseLanguage()) {
        return 2;
    }

    // 3-4. Full screen or window.
    const bool fullScreen = !Headless() && ChooseFullScreen(options_);
    WriteLog(fullScreen ? "フルスクリーンで起動します" : "ウィンドウモードで起動します");

    // 5-7. The window.
    gfx::FrameSink* frames = nullptr;
    if (!OpenScreen(fullScreen, frames)) {
        return 1;
    }

    // 8-9. The device, and one black frame.
    if (FAILED(InitDirect3D(frames, fullScreen, gfx::kFrameWidth, gfx::kFrameHeight))) {
        return 0;
    }
    pictures_.RecordDevice();
    auto gate = std::make_unique<gfx::DrawGate>(TakeDirect3DDevice());
    gate_ = gate.get();
    SetDirect3DDevice(std::move(gate));
    device_ = Direct3DDevice();
    if (FAILED(device_->Clear(0xFF000000u, 1.0f, 0))) {
        return 0;
    }
    device_->Present();
    ShowPreparedFrame();
    pictures_.WriteScreenshots(frame_);

    // 10-11. Sound and the music thread.
    if (parts_.startSound) {
        parts_.startSound(Headless());
    }
    if (parts_.startMusicThread) {
        parts_.startMusicThread();
    }

    // 12-15. The context, the start-up scene, input, the loading scene.
    context_.guides = settings_.StartingGuides();
    StartScenes();

    // 16. Sixty frames a second, from here; headless runs go as fast as they can.
    pacer_.SetRate(60);
    pacer_.Beat();
    return std::nullopt;
}

bool Shell::OpenScreen(bool fullScreen, gfx::FrameSink*& frames) {
    if (!Headless()) {
        const platform::WindowLook look{fullScreen, settings_.WindowScale(), options_.smooth};
        if (!screen_.Open(look, recording_.Events(input::SystemEvents()))) {
            return false;
        }
        frames = screen_.Frames();
    }
    // Every run keeps its last frame, for the screenshots F12 or the command line ask for.
    frames = pictures_.KeepFrames(frames);
    frames = times_.TimeFrames(frames, screen_.Window() == nullptr);
    return true;
}

void Shell::StartScenes() {
    SceneSwitcher::Hooks hooks;
    hooks.makeTitle = parts_.makeTitle;
    if (parts_.makeGame) {
        // On the loader thread: the battle is built from this thread's random numbers.
        hooks.makeGame = [this](const SceneRequest& request) {
            PackFingerprint();  // read here, away from the frames
            recording_.BattleBuilding();
            SceneRequest battle = request;
            battle.saves = recording_.Saves();
            return parts_.makeGame(battle);
        };
    }
    hooks.drawFrame = [this](Scene* scene, SceneContext& context) { DrawFrame(scene, context); };
    hooks.showMessage = [](const char* text) { platform::ShowMessage("", text); };
    switcher_ = std::make_unique<SceneSwitcher>(device_, std::move(hooks), Headless(), Headless() ? 0 : 100);
    if (parts_.makeStartUp) {
        std::unique_ptr<Scene> startUp = parts_.makeStartUp(recording_.Saves());
        startUp->Init(device_);
        switcher_->SetStartUpScene(std::move(startUp));
    }
    mouse_.Init(&input::SystemMouse());
    keyboard_.Init(&input::SystemKeyboard());
    pad_.Start(Headless());
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
        recording_.BattleFrame(context, [this] { ReadDevices(); });
    }
    DrawSceneFrame(scene, context, this);
    recording_.AfterSceneFrame(scene == switcher_->StartUpScene(), context);
}

// The sign shows the speed in effect: not while the battle stands still for its menu or result.
void Shell::Draw(gfx::Device* device) {
    if (BattleRunning()) {
        badge_.Draw(device, speed_);
    }
    rateSign_.Draw(device, times_.Times());
    pad_.DrawPointer(device);
    // What is left of the frame is the device turning its queued draws into pixels.
    times_.Enter(FramePhase::Drawing);
}

bool Shell::InBattle() const {
    return context_.sceneCode == SceneCode::Game && switcher_->GameScene() != nullptr && !switcher_->Loading();
}

// The battle runs, and runs fast when asked; its pause menu and result window, and every other
// scene, run one frame per frame shown.
bool Shell::BattleRunning() const { return InBattle() && context_.transitionMode == TransitionMode::Running; }

LoopPass Shell::Step() {
    if (!beatPending_) {
        if (const std::optional<LoopPass> early = TakeEvents()) {
            return *early;
        }
        times_.Enter(FramePhase::Waiting);
    }
    if (const std::uint32_t wait = pacer_.Remaining(); wait > 0) {
        beatPending_ = true;
        return LoopPass::GoOn(wait);
    }
    beatPending_ = false;
    pacer_.Beat();
    return RunFrame();
}

std::optional<LoopPass> Shell::TakeEvents() {
    times_.Enter(FramePhase::Input);
    platform::Window* window = screen_.Window();
    int exitCode = 0;
    // Events are taken with a short pause after them, but never past the time the frame is
    // due: a mouse that reports a thousand times a second would hold the frame back for as
    // long as it moves.
    if (window != nullptr && window->PumpEvents()) {
        if (platform::QuitPosted(exitCode)) {
            return LoopPass::Ended(exitCode);
        }
        if (!pacer_.Due()) {
            return Breathe();
        }
    }
    if (platform::QuitPosted(exitCode)) {
        return LoopPass::Ended(exitCode);
    }
    // Nothing is updated or drawn while the window is minimised: the game stands still.
    if (window != nullptr && window->Minimised()) {
        return Breathe();
    }
    return std::nullopt;
}

LoopPass Shell::RunFrame() {
    // The last pass drew its frame; it is shown now, at the start of this frame's time, so
    // frames reach the screen at the pacer's beat however long drawing each one took.
    ShowPreparedFrame();
    times_.Enter(FramePhase::Input);
    if (screen_.Window() != nullptr) {
        screen_.Window()->PollCursor();
    }
    if (!RunShownFrame()) {
        return LoopPass::GoOn();
    }
    // Keeping the pictures asked for counts to the present.
    pictures_.AfterFrame(frame_);
    times_.Log(frame_);
    if (options_.frames && frame_ >= *options_.frames) {
        return LoopPass::Ended(0);
    }
    return Headless() ? LoopPass::GoOn() : Breathe();
}

LoopPass Shell::Breathe() {
    times_.Enter(FramePhase::Waiting);
    return LoopPass::GoOn(LoopPass::kBreathMs);
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
            pictures_.BeforeFrame(frame_ + 1, ComingFrameIsLast());
        }
        times_.Enter(FramePhase::Simulation);
        context_.padHints = input::LastUsedDevice() == input::LastDevice::Pad;
        context_.ClearPointerSpots();
        switcher_->Step(context_);
        pad_.TakePointerSpots(context_);
        TakeSpeedRequest();
        ++frame_;
        settings_.FollowScenes(context_.guides);
        recording_.AfterStep(context_, switcher_->GameScene());
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
    pad_.FollowDevice(screen_.Window());
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
    if (const std::uint32_t left = recording_.FramesLeft(); left > 0) {
        mustShow(frame_ + left);
    }
    return frames;
}

bool Shell::ComingFrameIsLast() const {
    return (options_.frames && *options_.frames == frame_ + 1) || recording_.FramesLeft() == 1;
}

void Shell::ReadDevices() {
    mouse_.Update();
    keyboard_.Update();
    CopyInput(mouse_, keyboard_, context_);
    trace_.Add(frame_ + 1, InputSnapshot::Of(context_));
}

void Shell::FeedPad(bool pointerFrame) {
    const auto* battle = InBattle() ? dynamic_cast<const GameMain*>(switcher_->GameScene()) : nullptr;
    pad_.Feed(pointerFrame, battle, BattleRunning(), recording_.PadOutput(input::SystemPadOutput()),
              !recording_.Playing());
}

void Shell::ReadInput() {
    recording_.InputBefore(context_);
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
        pictures_.AskScreenshot();
    }
    if (shellKeys_.FrameRatePressed()) {
        rateSign_.Toggle();
    }
    platform::Window* window = screen_.Window();
    if (shellKeys_.FullScreenPressed() && window != nullptr) {
        window->ToggleFullScreen();
        WriteLog(window->FullScreen() ? "フルスクリーンに切り替えました" : "ウィンドウモードに切り替えました");
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

bool Shell::Close() {
    // A battle still running when the run ends is over too: its replay is kept.
    recording_.EndRun(switcher_->GameScene());
    switcher_->Shutdown();
    const bool traceWritten = WriteInputTrace();
    const bool timesWritten = times_.Close();
    settings_.FollowScenes(context_.guides);
    if (screen_.Window() != nullptr) {
        settings_.RememberScale(screen_.Window()->Scale());
    }
    ReleaseDirect3D();
    if (parts_.stopMusic) {
        parts_.stopMusic();
    }
    keyboard_.Release();
    mouse_.Release();
    pad_.Stop();
    screen_.Close();
    pictures_.Finish(frame_);
    return traceWritten && timesWritten && pictures_.AllWritten();
}

bool Shell::WriteInputTrace() {
    if (options_.recordInput.empty()) {
        return true;
    }
    if (!player_files::WriteText(PathFromUtf8(options_.recordInput),
                                 "# the input the scenes saw, frame by frame\n" + trace_.Text())) {
        std::fprintf(stderr, "velmoria: cannot write '%s'\n", options_.recordInput.c_str());
        return false;
    }
    return true;
}

void Shell::ShowPreparedFrame() {
    if (!screen_.TakePrepared()) {
        return;
    }
    times_.Enter(FramePhase::Present);
    screen_.Show();
    times_.Presented();
    times_.Log(frame_);
}

GameRun::GameRun(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
                 const Replay* replay, platform::Clock& clock, FramePacer::Beats beats)
    : shell_(std::make_unique<Shell>(options, script, parts, replay, clock, beats)) {
    platform::ClearQuit();
}

GameRun::~GameRun() = default;

LoopPass GameRun::Open() {
    if (const std::optional<int> failed = shell_->Open()) {
        return LoopPass::Ended(*failed);
    }
    opened_ = true;
    return LoopPass::GoOn();
}

LoopPass GameRun::Step() { return shell_->Step(); }

namespace {

// Enough for a frame after the window's events; a headless run's passes never pause at all.
constexpr int kMostPassesPerWake = 4;

}  // namespace

LoopPass GameRun::Wake() {
    LoopPass pass = Step();
    for (int passes = 1; passes < kMostPassesPerWake && pass.GoesOn() && pass.pauseMs == 0; ++passes) {
        pass = Step();
    }
    return pass;
}

int GameRun::Close(const LoopPass& end) {
    if (!opened_) {
        ReleaseDirect3D();
        return end.exitCode;
    }
    opened_ = false;
    // A screenshot or recording that was asked for and not written fails the run, so scripts notice.
    const bool filesWritten = shell_->Close();
    return end.exitCode == 0 && !filesWritten ? 1 : end.exitCode;
}

int RunGame(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
            const Replay* replay) {
    platform::Clock& clock = platform::SystemClock::Instance();
    GameRun run(options, script, parts, replay, clock);
    LoopPass pass = run.Open();
    while (pass.GoesOn()) {
        if (pass.pauseMs > 0) {
            clock.SleepMs(pass.pauseMs);
        }
        pass = run.Step();
    }
    return run.Close(pass);
}

void StartGameLoop(const LaunchOptions& options, const input::InputScript& script, const GameParts& parts,
                   const Replay* replay, platform::Clock& clock, std::function<void(int exitCode)> ended) {
    auto run = std::make_shared<GameRun>(options, script, parts, replay, clock, FramePacer::Beats::Display);
    const LoopPass opened = run->Open();
    if (!opened.GoesOn()) {
        ended(run->Close(opened));
        return;
    }
    platform::CallEachFrame([run, ended = std::move(ended)] {
        const LoopPass pass = run->Wake();
        if (pass.GoesOn()) {
            return true;
        }
        ended(run->Close(pass));
        return false;
    });
}
