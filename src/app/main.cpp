#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "app/Application.h"
#include "app/BattleReplay.h"
#include "app/CommandLine.h"
#include "app/GameFolderSearch.h"
#include "app/GameScenes.h"
#include "app/NowLoading.h"
#include "app/StartUp.h"
#include "audio/DirectSound.h"
#include "audio/MusicThread.h"
#include "audio/StreamingTrack.h"
#include "base/FilePath.h"
#include "input/InputScript.h"
#include "platform/FrameLoop.h"
#include "platform/MessageBox.h"
#include "platform/ProcessStart.h"

namespace {

// Whether the packs' folder is a folder; if not, says what it is instead.
bool DataFolderUsable(const std::filesystem::path& folder) {
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(folder, failure);
    if (std::filesystem::is_directory(status)) {
        return true;
    }
    if (status.type() == std::filesystem::file_type::not_found) {
        std::fprintf(stderr, "velmoria: data folder '%s' does not exist\n", Utf8Of(folder).c_str());
    } else if (failure) {
        std::fprintf(stderr, "velmoria: cannot reach data folder '%s': %s\n", Utf8Of(folder).c_str(),
                     failure.message().c_str());
    } else {
        std::fprintf(stderr, "velmoria: data folder '%s' is a file, not a folder\n", Utf8Of(folder).c_str());
    }
    return false;
}

// Finds the packs and the folder for the player's files, makes the latter on first use and
// runs in the former, so that the packs are opened by name. Returns 0, or the exit code.
int SetUpFolders(const LaunchOptions& options, const char* argv0) {
    GameFolders folders;
    std::string error;
    if (!FindGameFolders(ReadFolderClues(options.dataDir, argv0), folders, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return 1;
    }
    if (!DataFolderUsable(folders.packs)) {
        return 2;
    }
    if (!MakePlayerFolder(folders.playerFiles, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return 1;
    }
    std::error_code entered;
    std::filesystem::current_path(folders.packs, entered);
    if (entered) {
        std::fprintf(stderr, "velmoria: cannot enter data folder '%s': %s\n", Utf8Of(folders.packs).c_str(),
                     entered.message().c_str());
        return 2;
    }
    SetFolders(std::move(folders));
    return 0;
}

bool ReadReplay(const std::string& path, Replay& replay) {
    std::string error;
    if (!LoadReplay(PathFromUtf8(path), replay, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return false;
    }
    return true;
}

bool ReplayFitsThisGame(const std::string& path, const Replay& replay) {
    std::string error;
    if (!ReplayFitsThisGame(replay, error)) {
        std::fprintf(stderr, "velmoria: %s %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

// What a run reads from start to end.
struct RunInputs {
    LaunchOptions options;
    input::InputScript script;
    Replay replay;
    GameParts parts;
};

}  // namespace

int main(int argc, char** argv) {
    platform::ProcessStart start(argc, argv);
    argc = start.Count();
    argv = start.Arguments();
    auto inputs = std::make_unique<RunInputs>();
    LaunchOptions& options = inputs->options;
    std::string error;
    if (!ParseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("velmoria %s\n", VELMORIA_VERSION);
        return 0;
    }
    // Read now, before the data folder changes what a relative path means.
    input::InputScript& script = inputs->script;
    if (!options.inputScript.empty() && !script.Load(options.inputScript, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return 2;
    }
    for (std::string* path : {&options.recordInput, &options.frameTimes}) {
        if (!path->empty()) {
            *path = Utf8Of(std::filesystem::absolute(PathFromUtf8(*path)));
        }
    }
    Replay& replay = inputs->replay;
    if (!options.replay.empty() && !ReadReplay(options.replay, replay)) {
        return 2;
    }
    for (std::vector<LaunchOptions::FrameFile>* files : {&options.screenshots, &options.recordings}) {
        for (LaunchOptions::FrameFile& file : *files) {
            file.path = Utf8Of(std::filesystem::absolute(PathFromUtf8(file.path)));
        }
    }
    if (const int failed = SetUpFolders(options, argv[0]); failed != 0) {
        return failed;
    }
    if (!options.replay.empty() && !ReplayFitsThisGame(options.replay, replay)) {
        return 2;
    }
    // Dialogs would block an unattended run; such runs get their messages on stderr.
    platform::SetDialogsEnabled(!options.Headless() && std::getenv("VELMORIA_NO_DIALOGS") == nullptr);

    GameParts& parts = inputs->parts;
    parts.startSound = [](bool headless) { InitDirectSound(headless ? SoundOutput::Null : SoundOutput::Device); };
    parts.startMusicThread = &audio::StartMusicThread;
    // The effects stay in the registry until process exit; with the device closed they are silent.
    parts.stopMusic = [] {
        audio::StopMusicThread();
        audio::MusicTrack().Release();
        ShutdownDirectSound();
    };
    parts.makeStartUp = [](CSaveFile::Access saves) {
        return std::unique_ptr<Scene>(std::make_unique<StartUp>(saves));
    };
    parts.makeNowLoading = [] { return std::unique_ptr<Scene>(std::make_unique<NowLoading>()); };
    parts.makeTitle = &MakeTitleScene;
    parts.makeGame = &MakeGameScene;
    const Replay* played = options.replay.empty() ? nullptr : &replay;
    if constexpr (platform::kPlatformOwnsFrames) {
        // The page runs the frames after main has returned, so what they read stays for good.
        const RunInputs* kept = inputs.release();
        StartGameLoop(kept->options, kept->script, kept->parts, played, platform::SystemClock::Instance(),
                      &platform::ReportRunEnded);
        return 0;
    }
    return RunGame(options, script, parts, played);
}
